#pragma once

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace rocket_test {

// A file of a test file interface, read whole when it opens; without gtest, so that the
// fuzz host shares it.
struct OpenFile {
    std::string data;
    size_t position = 0;

    // Reads the whole file from disk into data; false when it cannot be opened.
    bool ReadFromDisk(const char* path) {
        FILE* stream = fopen(path, "rb");
        if (stream == nullptr) return false;
        char buffer[65536];
        size_t count = 0;
        while ((count = fread(buffer, 1, sizeof(buffer), stream)) > 0) data.append(buffer, count);
        fclose(stream);
        return true;
    }

    size_t Read(void* buffer, size_t size) {
        size_t count = std::min(size, data.size() - position);
        memcpy(buffer, data.data() + position, count);
        position += count;
        return count;
    }

    bool Seek(long offset, int origin) {
        long base = origin == SEEK_SET ? 0
                                       : (origin == SEEK_END ? static_cast<long>(data.size())
                                                             : static_cast<long>(position));
        long target = base + offset;
        if (target < 0 || target > static_cast<long>(data.size())) return false;
        position = static_cast<size_t>(target);
        return true;
    }
};

}  // namespace rocket_test
