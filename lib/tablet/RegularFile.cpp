#include "lib/tablet/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tablet {

// O_NONBLOCK makes the open of a pipe return at once; regular files ignore it afterwards.
int openRegularFile(const char* path, int flags) {
    int file = open(path, flags | O_NONBLOCK | O_CLOEXEC, 0666);
    struct stat info {};
    if (file >= 0 && (fstat(file, &info) != 0 || !S_ISREG(info.st_mode))) {
        close(file);
        file = -1;
        errno = S_ISDIR(info.st_mode) ? EISDIR : ENXIO;
    }
    return file;
}

}  // namespace tablet
