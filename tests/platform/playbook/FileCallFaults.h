#pragma once

namespace trellin_test {

// Faults put into this test program's own file calls: it links versions of unlink and fsync
// that pass through to the C library until a test (in a child process) asks for a fault.
struct FileCallFaults {
    // After this path is unlinked, a hard link to linkTarget is made in its place, once.
    static const char* linkAfterUnlink;
    static const char* linkTarget;
    // Every fsync fails with EIO.
    static bool fsyncFails;
};

}  // namespace trellin_test
