#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace trellin {

typedef std::vector<uint8_t> Bytes;

// Stored formats are little-endian 32-bit words whatever the host.
inline void putU32(Bytes& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

inline void setU32(Bytes& out, std::size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[at + static_cast<std::size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
    }
}

inline uint32_t getU32(const Bytes& in, std::size_t at) {
    return uint32_t(in[at]) | uint32_t(in[at + 1]) << 8 | uint32_t(in[at + 2]) << 16 |
           uint32_t(in[at + 3]) << 24;
}

// Writes a whole file; false (with the reason in error) when it cannot be written.
bool writeFileBytes(const std::string& path, const Bytes& bytes, std::string& error);

// Reads a whole file; false (with the reason in error) when it cannot be read.
bool readFileBytes(const std::string& path, Bytes& bytes, std::string& error);

}  // namespace trellin
