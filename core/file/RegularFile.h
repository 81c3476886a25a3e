#pragma once

#include <cstdio>

namespace orvo {

// Standard streams on regular files only. The open never waits: a named pipe with nobody at
// its other end would hold it for good. A pipe, a device or a folder at the path is refused
// with errno set, as a missing file is.
class RegularFile {
public:
    static std::FILE* openForReading(const char* path);
    // Created when missing; emptied unless appending.
    static std::FILE* openForWriting(const char* path, bool append);
};

}  // namespace orvo
