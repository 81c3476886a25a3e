#include "core/log/LoggerFile.h"

#include "core/file/RegularFile.h"

namespace orvo {

bool LoggerFile::open(const char* path, bool append) {
    close();
    file_ = RegularFile::openForWriting(path, append);
    return file_ != nullptr;
}

bool LoggerFile::write(const char* text) {
    return file_ != nullptr && std::fputs(text, file_) >= 0;
}

void LoggerFile::close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

}  // namespace orvo
