// Files the platform reads and writes by path (music, the call trace) are regular files only.
#pragma once

namespace tablet {

// A descriptor of the regular file at path, opened with flags (and mode 0666 when created)
// without ever waiting: a named pipe with nobody at its other end would hold open() for good.
// -1 with errno set when it cannot be opened or is anything but a regular file.
int openRegularFile(const char* path, int flags);

}  // namespace tablet
