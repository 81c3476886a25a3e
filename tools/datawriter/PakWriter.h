#pragma once

#include <string>
#include <vector>

#include "tools/datawriter/ByteWriter.h"

namespace trellin {

// One member of an archive: its path inside the archive ("/" separators, case as the engine
// asks for it), its bytes, and whether to store it zlib-compressed. Members that the engine
// reads in pieces (images, sounds, text read line by line) must be stored: a compressed member
// can only be read whole.
struct PakMember {
    std::string path;
    Bytes bytes;
    bool compress;
};

// Builds an archive image: header, directory, member data, then the path listing. Members are
// sorted by path, so the listing keeps each directory's entries together and members opened
// in directory order are read front to back. Fails on an empty or duplicate path, on two paths
// with the same name hash, and on an archive beyond 4 GiB.
bool buildPak(std::vector<PakMember> members, Bytes& image, std::string& error);

}  // namespace trellin
