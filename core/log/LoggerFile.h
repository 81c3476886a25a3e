#pragma once

#include <cstdio>

namespace orvo {

// The log file. It lives in a category whose blocks are 1 KiB, which a file stream object does
// not fit; a stdio handle does.
class LoggerFile {
public:
    LoggerFile() : file_(nullptr) {}
    ~LoggerFile() { close(); }
    LoggerFile(const LoggerFile&) = delete;
    LoggerFile& operator=(const LoggerFile&) = delete;

    // Opens for writing (emptying the file) or for appending; false when it cannot be opened or
    // is no regular file.
    bool open(const char* path, bool append);
    // Writes the text unchanged; false on a write error or when not open.
    bool write(const char* text);
    void close();
    bool isOpen() const { return file_ != nullptr; }

private:
    std::FILE* file_;
};

}  // namespace orvo
