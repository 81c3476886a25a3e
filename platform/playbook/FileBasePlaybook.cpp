#include "platform/playbook/FileBasePlaybook.h"

#include <dirent.h>
#include <sys/stat.h>

#include "core/file/FileLog.h"
#include "core/file/PakFile.h"
#include "core/file/RegularFile.h"

namespace orvo {

FileBasePlaybook::FileBasePlaybook() : input_(nullptr), output_(nullptr), outputInUse_(false) {}

FileBasePlaybook::~FileBasePlaybook() {
    if (state_ == STATE_OPEN) {
        rawClose();
    }
    if (input_ != nullptr) {
        std::fclose(input_);
    }
    if (output_ != nullptr) {
        std::fclose(output_);
    }
}

bool FileBasePlaybook::archiveServes() { return pakFileStatus_ == PAK_IDLE && pakFile_ != nullptr; }

PakFile* FileBasePlaybook::memberArchive() const {
    if (pakFile_ != nullptr && pakFile_->holds(member_)) {
        return pakFile_;
    }
    logFileError("the archive of this open member was closed: ", member_.name);
    return nullptr;
}

bool FileBasePlaybook::rawOpenRead(const ZqString& path) {
    if (archiveServes()) {
        return pakFile_->pakOpenFile(path, member_);
    }
    if (input_ != nullptr) {
        std::fclose(input_);
    }
    input_ = RegularFile::openForReading(path.c_str());
    return input_ != nullptr;
}

bool FileBasePlaybook::openOutput(const ZqString& path, bool append) {
    if (output_ != nullptr) {
        std::fclose(output_);
    }
    output_ = RegularFile::openForWriting(path.c_str(), append);
    outputInUse_ = output_ != nullptr;
    return outputInUse_;
}

bool FileBasePlaybook::rawOpenWrite(const ZqString& path) { return openOutput(path, false); }
bool FileBasePlaybook::rawOpenAppend(const ZqString& path) { return openOutput(path, true); }

bool FileBasePlaybook::rawClose() {
    if (outputInUse_) {
        if (output_ != nullptr) {
            std::fflush(output_);
            std::fclose(output_);
            output_ = nullptr;
        }
    } else if (readsMember()) {
        member_ = PakCursor();
    } else if (input_ != nullptr) {
        std::fclose(input_);
        input_ = nullptr;
    }
    outputInUse_ = false;
    return true;
}

uint32_t FileBasePlaybook::rawGetFileSize() {
    if (readsMember()) {
        PakFile* archive = memberArchive();
        return archive != nullptr ? archive->pakGetCurrentFileSize(member_) : 0;
    }
    if (input_ == nullptr || std::fseek(input_, 0, SEEK_END) != 0) {
        return 0;
    }
    const long length = std::ftell(input_);
    std::fseek(input_, 0, SEEK_SET);
    if (length < 0) {
        return 0;
    }
    return static_cast<unsigned long>(length) > UINT32_MAX ? UINT32_MAX
                                                           : static_cast<uint32_t>(length);
}

bool FileBasePlaybook::rawSeek(uint32_t position) {
    bool good = false;
    if (outputInUse_) {
        good = output_ != nullptr && std::fseek(output_, long(position), SEEK_SET) == 0;
    } else if (readsMember()) {
        PakFile* archive = memberArchive();
        good = archive != nullptr && archive->pakSeekFile(member_, position);
    } else if (input_ != nullptr) {
        std::clearerr(input_);
        good = std::fseek(input_, long(position), SEEK_SET) == 0;
    }
    if (good) {
        end_ = false;
    }
    return good;
}

bool FileBasePlaybook::rawGood() {
    FILE* stream = outputInUse_ ? output_ : input_;
    return stream != nullptr && std::ferror(stream) == 0;
}

uint32_t FileBasePlaybook::rawRead(void* buffer, uint32_t n) {
    if (readsMember()) {
        PakFile* archive = memberArchive();
        return archive != nullptr ? archive->pakReadFile(member_, buffer, n) : 0;
    }
    if (input_ == nullptr) {
        return 0;
    }
    return static_cast<uint32_t>(std::fread(buffer, 1, n, input_));
}

bool FileBasePlaybook::rawWrite(const void* buffer, uint32_t n) {
    if (output_ == nullptr) {
        return false;
    }
    if (std::fwrite(buffer, 1, n, output_) != n || std::fflush(output_) != 0) {
        std::clearerr(output_);
        return false;
    }
    return true;
}

bool FileBasePlaybook::rawEof() {
    if (outputInUse_) {
        return false;
    }
    if (readsMember()) {
        return member_.end || pakFile_ == nullptr || !pakFile_->holds(member_);
    }
    return input_ == nullptr || std::feof(input_) != 0;
}

bool FileBasePlaybook::rawExists(const ZqString& path) {
    if (archiveServes()) {
        return pakFile_->pakExists(path);
    }
    FILE* probe = RegularFile::openForReading(path.c_str());
    if (probe == nullptr) {
        return false;
    }
    std::fclose(probe);
    return true;
}

bool FileBasePlaybook::rawDeleteFile(const ZqString& path) {
    return std::remove(path.c_str()) == 0;
}

// Owner read, write and search: a directory the process can use again.
bool FileBasePlaybook::rawCreateDirectory(const ZqString& path) {
    return mkdir(path.c_str(), 0700) == 0;
}

bool FileBasePlaybook::rawReadDirectory(const ZqString& path, Array<ZqString>& files,
                                        Array<ZqString>& directories) {
    DIR* dir = opendir(path.c_str());
    if (dir == nullptr) {
        return false;
    }
    files.clear();
    directories.clear();
    ZqString base(path);
    if (!base.empty() && base.back() != '/') {
        base.push_back('/');
    }
    for (dirent* entry = readdir(dir); entry != nullptr; entry = readdir(dir)) {
        const ZqString name(entry->d_name);
        if (name == "." || name == "..") {
            continue;
        }
        // stat follows symbolic links: a link lists as what it points to.
        struct stat info;
        if (stat((base + name).c_str(), &info) != 0) {
            continue;
        }
        if (S_ISDIR(info.st_mode)) {
            directories.pushBack(name);
        } else if (S_ISREG(info.st_mode)) {
            files.pushBack(name);
        }
    }
    return closedir(dir) == 0;
}

}  // namespace orvo
