#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "core/text/StringFunctions.h"

namespace orvo {
namespace {

struct TextCase {
    ZqString actual;
    const char* expected;
};

TEST(StringFunctionsTest, NumbersToText) {
    const TextCase cases[] = {
        {unsignedIntToString(0, 0), "0"},
        {unsignedIntToString(42, 5), "00042"},
        {unsignedIntToString(12345, 3), "12345"},
        {unsignedIntToString(UINT_MAX, 0), "4294967295"},
        {intToString(-7, 3), "-007"},
        {intToString(123, 0), "123"},
        {intToString(INT_MIN, 0), "-2147483648"},
        {unsignedIntToHexString(255), "0x000000ff"},
        {unsignedIntToHexString(0xDEADBEEFu), "0xdeadbeef"},
        // Digits are cut, never rounded, in single precision.
        {floatToString(1.25f, 1), "1.2"},
        {floatToString(3.999f, 2), "3.99"},
        {floatToString(-0.5f, 2), "-0.50"},
        {floatToString(2.5f, 0), "2.5"},
        {floatToString(-0.0f, 1), "0.0"},
        {floatToString(0.1f, 9), "0.100000000"},
        {floatToString(2147483520.0f, 1), "2147483520.0"},
        {floatToString(-3000000000.0f, 1), "Number Too Large"},
        // The integer part must fit 32 bits: 2^31 itself, infinities and NaN have a text too.
        {floatToString(2147483648.0f, 1), "Number Too Large"},
        {floatToString(INFINITY, 2), "Number Too Large"},
        {floatToString(NAN, 2), "Number Too Large"},
        // Decimals are clamped to 1..9.
        {floatToString(0.5f, 12), "0.500000000"},
        {floatToString(0.5f, -3), "0.5"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(c.actual, c.expected);
    }
}

TEST(StringFunctionsTest, SearchAndReplace) {
    ZqString text("a.b.c");
    EXPECT_EQ(searchAndReplace(&text, '.', '/'), 2);
    EXPECT_EQ(text, "a/b/c");

    struct {
        const char* text;
        const char* find;
        const char* replacement;
        int count;
        const char* result;
    } const cases[] = {
        {"one two one", "one", "1", 2, "1 two 1"},
        // An inserted replacement is never searched again.
        {"aaa", "a", "aa", 3, "aaaaaa"},
        {"abc", "x", "y", 0, "abc"},
        // An empty search text returns at once.
        {"abc", "", "x", 0, "abc"},
        {"abc", nullptr, "x", 0, "abc"},
    };
    for (const auto& c : cases) {
        ZqString s(c.text);
        EXPECT_EQ(searchAndReplace(&s, c.find, c.replacement), c.count) << c.text;
        EXPECT_EQ(s, c.result);
    }
}

TEST(StringFunctionsTest, EditsInPlace) {
    const struct {
        const char* text;
        const char* stripped;
    } cases[] = {{"  \tab c\t ", "ab c"}, {"   ", ""}, {"", ""}, {"\nx\n", "\nx\n"}};
    for (const auto& c : cases) {
        ZqString s(c.text);
        stripWhitespace(&s);
        EXPECT_EQ(s, c.stripped);
    }
    ZqString s("abC1_z");
    toUpperCase(&s);
    EXPECT_EQ(s, "ABC1_Z");
    toLowerCase(&s);
    EXPECT_EQ(s, "abc1_z");
}

Array<ZqString> strings(std::initializer_list<const char*> texts) {
    Array<ZqString> a;
    for (const char* t : texts) {
        a.pushBack(ZqString(t));
    }
    return a;
}

void expectTokens(const Array<ZqString>& actual, const Array<ZqString>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i], expected[i]) << i;
    }
}

TEST(StringFunctionsTest, Tokenize) {
    const struct {
        const char* text;
        const char* delimiter;
        bool skipShort;
        const char* prefix;
        bool result;
        Array<ZqString> tokens;
    } cases[] = {
        {"a,,b", ",", true, "", true, strings({"a", "b"})},
        {"a,,b", ",", false, "", true, strings({"a", "", "b"})},
        {"a,", ",", false, "", true, strings({"a"})},
        {"a::b::c", "::", false, "", true, strings({"a", "b", "c"})},
        {"abc", ",", false, "", false, strings({"abc"})},
        // Refused texts leave the tokens untouched.
        {"//x,y", ",", false, "//", false, strings({"old"})},
        {"", ",", false, "", false, strings({"old"})},
        {"a,b", "", false, "", false, strings({"old"})},
    };
    for (const auto& c : cases) {
        Array<ZqString> tokens = strings({"old"});
        EXPECT_EQ(tokenize(c.text, &tokens, c.delimiter, c.skipShort, c.prefix), c.result)
            << c.text;
        expectTokens(tokens, c.tokens);
    }
}

TEST(StringFunctionsTest, Split) {
    ZqString left("L");
    ZqString right("R");
    EXPECT_TRUE(split("  key = value ", '=', &left, &right));
    EXPECT_EQ(left, "key ");
    EXPECT_EQ(right, " value");

    for (const char* refused : {"=x", "x=", " x= ", "abc", ""}) {
        left = "L";
        right = "R";
        EXPECT_FALSE(split(refused, '=', &left, &right)) << refused;
        EXPECT_EQ(left, "L");
        EXPECT_EQ(right, "R");
    }
}

TEST(StringFunctionsTest, TextToStringStopsAtTheTerminatingNul) {
    ZqText loaded;
    loaded.loadStream("D\xC3\xA9marrer");  // as the string tables hand texts out
    EXPECT_EQ(textToString(loaded), ZqString("D\xC3\xA9marrer"));

    ZqText built;  // code points only: no NUL at all
    built.pushBack('o');
    built.pushBack(0xE9);
    EXPECT_EQ(textToString(built), ZqString("o\xC3\xA9"));
    built.pushBack(0);
    EXPECT_EQ(textToString(built).size(), 3u);
    EXPECT_EQ(textToString(ZqText()), ZqString());
}

TEST(StringFunctionsTest, StringToFloat) {
    const struct {
        const char* text;
        float value;
    } cases[] = {
        {"ab12cd", 12.0f},
        {"1a2", 0.0f},
        {".5", 0.5f},
        {"-3.25", -3.25f},
        {"", 0.0f},
        {"abc", 0.0f},
        {"x-5", -5.0f},
        {"- 5", 0.0f},
        {"5-", 0.0f},
        {"1.2a3", 1.0f},
        {"12.", 12.0f},
        {"0.125", 0.125f},
        // The weights overflow to infinity long before the leading zeros end; still 1, not NaN.
        {"000000000000000000000000000000000000000000000000001", 1.0f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(stringToFloat(c.text), c.value) << c.text;
    }
}

TEST(StringFunctionsTest, StringToInt) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"42", 42},
        {"-17", -17},
        {"ab12", 12},
        {"12abc", 12},
        {"3.7", 3},
        {"5.", 5},
        {".5", 0},
        {"a.5", 0},
        {"1a2", 0},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"-5-3", 0},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        // Too many digits wrap in 32 bits rather than overflow.
        {"99999999999", 1215752191},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(stringToInt(c.text), c.value) << c.text;
    }
    const struct {
        const char* text;
        unsigned value;
    } unsignedCases[] = {
        {"5", 5u}, {"-5", 0u}, {"4294967295", UINT_MAX}, {"12abc", 12u}, {"x", 0u}, {"5-", 5u},
    };
    for (const auto& c : unsignedCases) {
        EXPECT_EQ(stringToUnsignedInt(c.text), c.value) << c.text;
    }
}

}  // namespace
}  // namespace orvo
