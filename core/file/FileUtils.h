#pragma once

#include <cstddef>

#include "core/text/ZqString.h"
#include "platform/playbook/FileBasePlaybook.h"

namespace orvo {

// Existence tests, directory and path helpers and byte-order swaps. Each call works on a
// temporary file object: none keeps state of its own.
class FileUtils : public FileBasePlaybook {
public:
    // Answers for the path exactly as open reads it: a path under an archive makes that
    // archive the open one and tests the member; any other path closes an open archive and
    // tests the loose file (a regular file only).
    static bool exists(const ZqString& path);
    static bool createDirectory(const ZqString& path);
    static bool deleteFile(const ZqString& path);
    static ZqString getExecutablePath();
    static ZqString getApplicationStoragePath() { return ZqString(); }
    static ZqString getWorkingPath() { return ZqString(); }
    static bool setWorkingPath() { return false; }

    static void endianSwap16(void* data, std::size_t count);
    static void endianSwap32(void* data, std::size_t count);
    static void endianSwap64(void* data, std::size_t count);
    // Element sizes other than 2, 4 and 8 are left alone.
    static void endianSwap(void* data, std::size_t elementSize, std::size_t count);
};

}  // namespace orvo
