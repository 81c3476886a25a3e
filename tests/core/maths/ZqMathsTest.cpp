#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/maths/ZqMaths.h"

namespace orvo {
namespace {

uint32_t bits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, sizeof(u));
    return u;
}

TEST(ZqMathsTest, ConstantsHaveExactBits) {
    const struct {
        float value;
        uint32_t bits;
        const char* name;
    } cases[] = {
        {ZqMaths::ZERO_TOLERANCE, 0x358637BDu, "ZERO_TOLERANCE"},
        {ZqMaths::ZERO_TOLERANCE_SQUARED, 0x2B8CBCCCu, "ZERO_TOLERANCE_SQUARED"},
        {ZqMaths::PI, 0x40490FDBu, "PI"},
        {ZqMaths::TWO_PI, 0x40C90FDBu, "TWO_PI"},
        {ZqMaths::HALF_PI, 0x3FC90FDBu, "HALF_PI"},
        {ZqMaths::INVERSE_PI, 0x3EA2F983u, "INVERSE_PI"},
        {ZqMaths::INVERSE_TWO_PI, 0x3E22F983u, "INVERSE_TWO_PI"},
        {ZqMaths::DEGREES_TO_RADIANS, 0x3C8EFA35u, "DEGREES_TO_RADIANS"},
        {ZqMaths::RADIANS_TO_DEGREES, 0x42652EE0u, "RADIANS_TO_DEGREES"},
        {ZqMaths::LN_10, 0x40135D8Eu, "LN_10"},
        {ZqMaths::INVERSE_LN_10, 0x3EDE5BD8u, "INVERSE_LN_10"},
        {ZqMaths::EPSILON, 0x34000000u, "EPSILON"},
        {ZqMaths::MAX_REAL, 0x7F7FFFFFu, "MAX_REAL"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bits(c.value), c.bits) << c.name;
    }
    // The compile-time values are those the start-up formulas give.
    EXPECT_EQ(bits(ZqMaths::PI), bits(4.0f * std::atan(1.0f)));
    EXPECT_EQ(bits(ZqMaths::LN_10), bits(std::log(10.0f)));
}

// Seeds whose first value is 0, 32766 and 32767.
constexpr unsigned SEED_GIVING_0 = 26579;
constexpr unsigned SEED_GIVING_32766 = 23189;
constexpr unsigned SEED_GIVING_32767 = 24884;

TEST(ZqMathsTest, GeneratorIsTheFifteenBitSampleGenerator) {
    int r = -1;
    ZqMaths::setRandomSeed(1);
    const int expectedFromOne[] = {16838, 5758, 10113, 17515, 31051};
    for (int expected : expectedFromOne) {
        ZqMaths::unitRandom(0, &r);
        EXPECT_EQ(r, expected);
    }
    // The game seeds 1337 before laying a track.
    ZqMaths::unitRandom(1337, &r);
    EXPECT_EQ(r, 1199);
    // Seed 0 leaves the generator where it is.
    ZqMaths::setRandomSeed(0);
    ZqMaths::unitRandom(0, &r);
    EXPECT_EQ(r, 22292);
    ZqMaths::symmetricRandom(0, &r);
    EXPECT_EQ(r, 14258);
}

TEST(ZqMathsTest, UnitSeedScalesToFifteenBits) {
    int expected = -1;
    int r = -2;
    ZqMaths::unitRandom(32767, &expected);
    ZqMaths::setUnitRandomSeed(1.0f);
    ZqMaths::unitRandom(0, &r);
    EXPECT_EQ(r, expected);

    // Out-of-range seeds leave the generator untouched.
    for (float ignored : {0.0f, 1.5f, -0.5f}) {
        ZqMaths::unitRandom(1337, nullptr);
        ZqMaths::setUnitRandomSeed(ignored);
        ZqMaths::unitRandom(0, &r);
        EXPECT_EQ(r, 22292) << ignored;
    }
}

TEST(ZqMathsTest, RandomScalesAtTheExtremes) {
    int r = -1;
    EXPECT_EQ(ZqMaths::unitRandom(SEED_GIVING_0, &r), 0.0f);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(ZqMaths::symmetricRandom(SEED_GIVING_0), -1.0f);
    EXPECT_EQ(ZqMaths::intervalRandom(2.0f, 4.0f, SEED_GIVING_0), 2.0f);

    EXPECT_EQ(ZqMaths::unitRandom(SEED_GIVING_32767, &r), 1.0f);
    EXPECT_EQ(r, 32767);
    EXPECT_EQ(ZqMaths::symmetricRandom(SEED_GIVING_32767), 1.0f);
    // 32767 x (the float nearest 1/32766) is just above 1.
    const float beyond = ZqMaths::intervalRandom(2.0f, 4.0f, SEED_GIVING_32767);
    EXPECT_EQ(bits(beyond), bits(2.0f + 2.0f * (32767.0f * 0x1.0004p-15f)));
    EXPECT_GT(beyond, 4.0f);

    EXPECT_EQ(ZqMaths::intervalRandom(2.0f, 4.0f, SEED_GIVING_32766, &r), 4.0f);
    EXPECT_EQ(r, 32766);
}

}  // namespace
}  // namespace orvo
