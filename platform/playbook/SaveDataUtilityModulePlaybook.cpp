#include "platform/playbook/SaveDataUtilityModulePlaybook.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/log/ErrorLine.h"

namespace orvo {

namespace {

void logFileProblem(const char* what, const char* path, int error) {
    const std::string detail = std::string(path) + " (" + std::strerror(error) + ")";
    logErrorLine("File Error: ", what, detail.c_str());
}

// 0, or the errno of the failure. Goes on after short writes until all is written.
int writeAll(int file, const unsigned char* data, unsigned int size) {
    while (size > 0) {
        const ssize_t written = write(file, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return written < 0 ? errno : EIO;
        }
        data += written;
        size -= static_cast<unsigned int>(written);
    }
    return 0;
}

// Writes the block into the file as it stands, cut to the block's size afterwards, so a write
// that fails part way still leaves the old record's length. 0, or the errno of the failure.
int writeInPlace(const char* path, const unsigned char* data, unsigned int size) {
    // As reading it: a pipe there fails rather than waits.
    const int file = open(path, O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (file < 0) {
        return errno;
    }
    int error = writeAll(file, data, size);
    if (error == 0 && (ftruncate(file, size) != 0 || fsync(file) != 0)) {
        error = errno;
    }
    if (close(file) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

}  // namespace

SaveDataUtilityModulePlaybook::SaveDataUtilityModulePlaybook() : PlatformModule(SAVE_DATA_MODULE) {}

SaveDataUtilityModulePlaybook::~SaveDataUtilityModulePlaybook() {
    if (lockFile_ >= 0) {
        close(lockFile_);
    }
}

void SaveDataUtilityModulePlaybook::saveGameData(const unsigned char* data, unsigned int size) {
    if (recordLeftAlone_ || (data == nullptr && size != 0)) {
        return;
    }
    if (mkdir(FOLDER, 0777) != 0 && errno != EEXIST) {
        saveFailed(FOLDER, errno);
        return;
    }
    // Whatever was left at the temporary name (a stale file, a link) is removed, never written
    // through: the file written is always a new one.
    unlink(TEMPORARY_PATH);
    const int temporary =
        open(TEMPORARY_PATH, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (temporary < 0) {
        // No second file can be made here (a read-only folder, something in the way): the
        // record is written in place instead.
        const int error = writeInPlace(SAVE_PATH, data, size);
        if (error != 0) {
            saveFailed(SAVE_PATH, error);
        }
        return;
    }
    int error = writeAll(temporary, data, size);
    if (error == 0 && fsync(temporary) != 0) {
        error = errno;
    }
    if (close(temporary) != 0 && error == 0) {
        error = errno;
    }
    // Only a whole, flushed block replaces the record.
    const char* failed = TEMPORARY_PATH;
    if (error == 0 && rename(TEMPORARY_PATH, SAVE_PATH) != 0) {
        error = errno;
        failed = SAVE_PATH;
    }
    if (error != 0) {
        unlink(TEMPORARY_PATH);
        saveFailed(failed, error);
    }
}

bool SaveDataUtilityModulePlaybook::saveGameExists() {
    const int file = openRecord();
    if (file < 0) {
        return false;
    }
    close(file);
    return true;
}

void SaveDataUtilityModulePlaybook::loadGameData(unsigned char* data, unsigned int size) {
    if (data == nullptr || size == 0) {
        return;
    }
    const int file = openRecord();
    if (file < 0) {
        return;
    }
    // Read aside first: a read that fails part way leaves the block as it was.
    std::vector<unsigned char> bytes(size);
    std::size_t filled = 0;
    int error = 0;
    while (filled < size) {
        const ssize_t got = read(file, bytes.data() + filled, size - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = errno;
        }
        if (got <= 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    close(file);
    if (error != 0) {
        leaveRecordAlone(error);
        return;
    }
    // A short record fills only the start of the block; that is not reported.
    std::memcpy(data, bytes.data(), filled);
}

bool SaveDataUtilityModulePlaybook::lockRecord() {
    if (lockFile_ >= 0) {
        return true;
    }
    // A folder that cannot be made is why no lock file can be opened in it: its failure is the
    // one to name.
    const int folderError = mkdir(FOLDER, 0777) == 0 || errno == EEXIST ? 0 : errno;
    int file = open(LOCK_PATH, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    int error = folderError != 0 ? folderError : errno;
    if (file < 0) {
        // Made by another user, or in a folder this process may not write: a lock can still
        // be taken on it read-only.
        file = open(LOCK_PATH, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    }
    if (file >= 0 && flock(file, LOCK_EX | LOCK_NB) != 0) {
        error = errno;
        close(file);
        file = -1;
    }
    if (file < 0) {
        if (error == EWOULDBLOCK) {
            recordLeftAlone_ = true;
            logErrorLine("File Error: ",
                         "another game is running in this folder and keeps its record: ",
                         LOCK_PATH);
            return false;
        }
        logFileProblem("the save record cannot be locked, a second game here goes unnoticed: ",
                       LOCK_PATH, error);
        return true;
    }
    lockFile_ = file;
    return true;
}

int SaveDataUtilityModulePlaybook::openRecord() {
    // A pipe at the record's name must not wait for a writer that never comes.
    const int file = open(SAVE_PATH, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    // Only a missing record is no record.
    if (file < 0 && errno != ENOENT) {
        leaveRecordAlone(errno);
    }
    return file;
}

void SaveDataUtilityModulePlaybook::leaveRecordAlone(int error) {
    if (recordLeftAlone_) {
        return;
    }
    recordLeftAlone_ = true;
    logFileProblem("the save record cannot be read and is left as it is this session: ",
                   SAVE_PATH, error);
}

void SaveDataUtilityModulePlaybook::saveFailed(const char* path, int error) {
    if (!saveFailure_.first()) {
        return;
    }
    logFileProblem("the results cannot be saved (said once a session): ", path, error);
}

}  // namespace orvo
