#pragma once

#include "core/text/ZqString.h"

namespace orvo {

// The process-wide path strings of file access, created on first use.
struct RootStringStore {
    ZqString executablePath;
    ZqString applicationDataPath;
    ZqString deviceString;
    ZqString rootPath;

    static RootStringStore& get();

    // "\" becomes "/" and a trailing "/" is added; an empty path stays empty.
    static ZqString asDirectory(const ZqString& path);
};

}  // namespace orvo
