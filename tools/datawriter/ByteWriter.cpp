#include "tools/datawriter/ByteWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace trellin {

bool writeFileBytes(const std::string& path, const Bytes& bytes, std::string& error) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

bool readFileBytes(const std::string& path, Bytes& bytes, std::string& error) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    bytes.clear();
    uint8_t chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof(chunk), file)) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        error = "cannot read " + path;
        return false;
    }
    return true;
}

}  // namespace trellin
