#pragma once

#include <cstdint>

namespace orvo {

struct Crc32Table {
    uint32_t entry[256];
};

// Entry i is the reflected CRC of the byte i, built at compile time.
constexpr Crc32Table makeCrc32Table() {
    Crc32Table t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1u) ? (0xEDB88320u ^ (c >> 1)) : (c >> 1);
        }
        t.entry[i] = c;
    }
    return t;
}

inline constexpr Crc32Table CRC32_TABLE = makeCrc32Table();

// The engine's 32-bit name id: CRC-32 of the text over the reflected table of 0xEDB88320, with
// initial value 0 and no final inversion. The same values name archive members and data files
// on disk, so the function must never change. Everything is constexpr so that global name
// constants are fixed at compile time.
class HashString {
public:
    constexpr HashString() : hash_(0) {}
    constexpr HashString(const char* text) : hash_(calculateHash(text)) {}  // NOLINT: implicit by design
    constexpr HashString(const wchar_t* text) : hash_(calculateHash(text)) {}  // NOLINT

    // A name id known only by its value (read from stored data).
    static constexpr HashString fromHash(uint32_t hash) {
        HashString h;
        h.hash_ = hash;
        return h;
    }

    constexpr uint32_t getHash() const { return hash_; }

    static constexpr uint32_t calculateHash(const char* text) {
        uint32_t h = 0;
        for (; *text != '\0'; ++text) {
            h = step(h, static_cast<unsigned char>(*text));
        }
        return h;
    }

    // Wide texts feed the four bytes of each 32-bit character, lowest first.
    static constexpr uint32_t calculateHash(const wchar_t* text) {
        uint32_t h = 0;
        for (; *text != L'\0'; ++text) {
            const uint32_t c = static_cast<uint32_t>(*text);
            for (int shift = 0; shift < 32; shift += 8) {
                h = step(h, (c >> shift) & 0xFFu);
            }
        }
        return h;
    }

    static constexpr const Crc32Table& crc32Table = CRC32_TABLE;

    constexpr bool operator==(HashString other) const { return hash_ == other.hash_; }
    constexpr bool operator!=(HashString other) const { return hash_ != other.hash_; }
    constexpr bool operator<(HashString other) const { return hash_ < other.hash_; }

private:
    static constexpr uint32_t step(uint32_t h, uint32_t byte) {
        return CRC32_TABLE.entry[(h ^ byte) & 0xFFu] ^ (h >> 8);
    }

    uint32_t hash_;
};

static_assert(sizeof(HashString) == 4, "a name id is stored as one 32-bit word");
static_assert(HashString::calculateHash("VertexBufferData") == 0x461ABC5Fu, "name hash changed");

}  // namespace orvo
