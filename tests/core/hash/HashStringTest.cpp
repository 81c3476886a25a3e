#include "core/hash/HashString.h"

#include <gtest/gtest.h>

namespace {

using orvo::HashString;

// Fixed at compile time: global name constants must not depend on start-up order.
constexpr HashString COMPILE_TIME_NAME("VertexBufferData");
static_assert(COMPILE_TIME_NAME.getHash() == 0x461ABC5Fu, "");

TEST(HashString, ByteTextValues) {
    struct Case {
        const char* text;
        uint32_t hash;
    };
    const Case cases[] = {
        {"", 0x00000000u},
        {"a", 0x3AB551CEu},
        {"abc", 0xCA6598D0u},
        {"VertexBufferData", 0x461ABC5Fu},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HashString(c.text).getHash(), c.hash) << c.text;
        EXPECT_EQ(HashString::calculateHash(c.text), c.hash) << c.text;
    }
}

TEST(HashString, WideTextValuesDifferFromBytes) {
    EXPECT_EQ(HashString::calculateHash(L"a"), 0x839A9066u);
    EXPECT_EQ(HashString::calculateHash(L"abc"), 0x08AADF4Cu);
    EXPECT_EQ(HashString(L""), HashString(""));
    EXPECT_NE(HashString(L"abc"), HashString("abc"));
}

TEST(HashString, HighBytesAreUnsigned) {
    // "é" in UTF-8 is C3 A9; a signed char would index the table out of range.
    EXPECT_EQ(HashString("\xC3\xA9").getHash(), 0x4FDD9FC1u);
}

TEST(HashString, TableIsStandardCrc32) {
    EXPECT_EQ(HashString::crc32Table.entry[0], 0u);
    EXPECT_EQ(HashString::crc32Table.entry[1], 0x77073096u);
    EXPECT_EQ(HashString::crc32Table.entry[255], 0x2D02EF8Du);
}

TEST(HashString, OrdersByUnsignedWord) {
    EXPECT_TRUE(HashString::fromHash(1) < HashString::fromHash(0x80000000u));
    EXPECT_EQ(HashString::fromHash(0x3AB551CEu), HashString("a"));
}

}  // namespace
