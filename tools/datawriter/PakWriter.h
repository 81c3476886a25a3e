#pragma once

#include <string>
#include <vector>

#include "tools/datawriter/ByteWriter.h"

namespace trellin {

// The archive rule, in this one place: a member that the engine reads in pieces is stored,
// every other member is compressed. The archive inflates a compressed member only in a read
// of its whole size, so a read in pieces of one finds nothing. The image readers decode PNG
// and TGA files as they read them, in pieces; everything else the engine loads whole
// (shaders, sounds, static data objects, string tables, UI documents, styles and fonts).
// True for the paths that the engine reads in pieces (by extension, in any case).
bool readInPieces(const std::string& path);

// One member of an archive: its path inside the archive ("/" separators, case as the engine
// asks for it) and its bytes. buildPak stores or compresses it by the rule above.
struct PakMember {
    std::string path;
    Bytes bytes;
};

// Builds an archive image: header, directory, member data, then the path listing. Members are
// sorted by path, so the listing keeps each directory's entries together and members opened
// in directory order are read front to back. Fails on an empty or duplicate path, on two paths
// with the same name hash, and on an archive beyond 4 GiB.
bool buildPak(std::vector<PakMember> members, Bytes& image, std::string& error);

}  // namespace trellin
