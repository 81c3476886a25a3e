#include <gtest/gtest.h>

#include <vector>

#include "core/text/ZqText.h"

namespace orvo {
namespace {

std::vector<unsigned> bytesOf(const ZqText& text) {
    const Array<unsigned char>& bytes = text.getBytes();
    return std::vector<unsigned>(bytes.begin(), bytes.end());
}

TEST(ZqTextTest, PushBackEncodesUtf8) {
    const struct {
        unsigned codePoint;
        std::vector<unsigned> bytes;
    } cases[] = {
        {0x41, {0x41}},
        {0x7FF, {0xDF, 0xBF}},
        {0xE9, {0xC3, 0xA9}},
        {0x20AC, {0xE2, 0x82, 0xAC}},
        {0x1F600, {0xF0, 0x9F, 0x98, 0x80}},
    };
    for (const auto& c : cases) {
        // Appending to an empty text must not look at a last byte that is not there.
        ZqText text;
        text.pushBack(c.codePoint);
        EXPECT_EQ(bytesOf(text), c.bytes) << std::hex << c.codePoint;
        EXPECT_EQ(text.getByteLength(), c.bytes.size());
    }
}

TEST(ZqTextTest, LoadedTextsKeepOneNulWhenAppended) {
    ZqText text;
    text.loadStream("ab");
    EXPECT_EQ(bytesOf(text), (std::vector<unsigned>{'a', 'b', 0}));
    EXPECT_EQ(text.getByteLength(), 3u);

    ZqText other;
    other.loadStream("cd");
    text += other;
    EXPECT_EQ(bytesOf(text), (std::vector<unsigned>{'a', 'b', 'c', 'd', 0}));

    text.pushBack('e');
    EXPECT_EQ(bytesOf(text), (std::vector<unsigned>{'a', 'b', 'c', 'd', 'e'}));
    EXPECT_EQ(text.getByteLength(), 5u);
}

TEST(ZqTextTest, AppendDecodesCodePoints) {
    ZqText text;
    text.pushBack(0xE9);
    text.pushBack(0x20AC);
    text.pushBack(0x1F600);
    // Taken by value: appending a text to itself doubles it.
    text += text;
    EXPECT_EQ(bytesOf(text),
              (std::vector<unsigned>{0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xF0, 0x9F, 0x98, 0x80, 0xC3,
                                     0xA9, 0xE2, 0x82, 0xAC, 0xF0, 0x9F, 0x98, 0x80}));

    // A stray continuation byte is code point 0, which the next code point replaces.
    ZqText malformed;
    malformed.loadStream("\x80z");
    ZqText result;
    result += malformed;
    EXPECT_EQ(bytesOf(result), (std::vector<unsigned>{'z', 0}));
}

TEST(ZqTextTest, CopyOwnsItsBytes) {
    ZqText original;
    original.loadStream("xy");
    ZqText copy(original);
    original.pushBack('z');
    EXPECT_EQ(bytesOf(copy), (std::vector<unsigned>{'x', 'y', 0}));
    EXPECT_EQ(copy.getByteLength(), 3u);
    EXPECT_EQ(copy.getBytes().getCategory(), 0);
}

}  // namespace
}  // namespace orvo
