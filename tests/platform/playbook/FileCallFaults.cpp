#include "tests/platform/playbook/FileCallFaults.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace trellin_test {

const char* FileCallFaults::linkAfterUnlink = nullptr;
const char* FileCallFaults::linkTarget = nullptr;
bool FileCallFaults::fsyncFails = false;

}  // namespace trellin_test

using trellin_test::FileCallFaults;

// Defined in the program, these take the place of the C library's for the code linked into it.
extern "C" int unlink(const char* path) {
    static auto real = reinterpret_cast<int (*)(const char*)>(dlsym(RTLD_NEXT, "unlink"));
    const int result = real(path);
    if (FileCallFaults::linkAfterUnlink != nullptr &&
        std::strcmp(path, FileCallFaults::linkAfterUnlink) == 0) {
        FileCallFaults::linkAfterUnlink = nullptr;
        const int error = errno;
        link(FileCallFaults::linkTarget, path);
        errno = error;
    }
    return result;
}

extern "C" int fsync(int file) {
    static auto real = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
    if (FileCallFaults::fsyncFails) {
        errno = EIO;
        return -1;
    }
    return real(file);
}
