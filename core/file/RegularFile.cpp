#include "core/file/RegularFile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvo {

namespace {

// O_NONBLOCK makes the open of a pipe return at once; regular files ignore it afterwards.
std::FILE* openStream(const char* path, int flags, const char* mode) {
    const int file = open(path, flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (file < 0) {
        return nullptr;
    }
    struct stat info;
    int error = 0;
    if (fstat(file, &info) != 0) {
        error = errno;
    } else if (!S_ISREG(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? EISDIR : ENXIO;
    } else if ((flags & (O_WRONLY | O_APPEND)) == O_WRONLY && ftruncate(file, 0) != 0) {
        // Emptied only once it is known to be a file.
        error = errno;
    }
    std::FILE* stream = error == 0 ? fdopen(file, mode) : nullptr;
    if (stream == nullptr) {
        error = error != 0 ? error : errno;
        close(file);
        errno = error;
    }
    return stream;
}

}  // namespace

std::FILE* RegularFile::openForReading(const char* path) {
    return openStream(path, O_RDONLY, "rb");
}

std::FILE* RegularFile::openForWriting(const char* path, bool append) {
    return append ? openStream(path, O_WRONLY | O_CREAT | O_APPEND, "ab")
                  : openStream(path, O_WRONLY | O_CREAT, "wb");
}

}  // namespace orvo
