#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "game/app/FramePacing.h"

namespace {

TEST(FramePacingTest, AFrameSleepsWhatIsLeftLessTheSleepResolution) {
    struct Case {
        double leftSeconds;
        int32_t resolution;
        bool sleeps;
        uint32_t sleepMs;
    };
    const Case cases[] = {
        {0.010, 1, true, 9},    // 10 ms early
        {0.0005, 0, true, 0},   // early by less than a millisecond: a sleep of 0
        {0.0005, 1, false, 0},  // ... which a resolution of 1 ms does not allow
        {0.001, 1, true, 0},   {-0.050, 0, false, 0},  // late frames never sleep
        {-0.050, 1, false, 0},
    };
    for (const Case& c : cases) {
        const double now = 100.0;
        const int32_t left = FramePacing::millisecondsUntil(now + c.leftSeconds, now);
        uint32_t sleepMs = 1234;
        EXPECT_EQ(FramePacing::sleepTime(left, c.resolution, sleepMs), c.sleeps) << c.leftSeconds;
        if (c.sleeps) {
            EXPECT_EQ(sleepMs, c.sleepMs) << c.leftSeconds;
        }
    }
}

// A clock that jumps makes differences beyond the 32-bit range; converting them unchecked is
// undefined.
TEST(FramePacingTest, DifferencesBeyondTheRangeAreClamped) {
    EXPECT_EQ(FramePacing::millisecondsUntil(0.016, 0.0), 16);
    EXPECT_EQ(FramePacing::millisecondsUntil(-0.0159, 0.0), -15);
    EXPECT_EQ(FramePacing::millisecondsUntil(1e10, 0.0), INT32_MAX);
    EXPECT_EQ(FramePacing::millisecondsUntil(0.0, 1e10), INT32_MIN);
    EXPECT_EQ(FramePacing::millisecondsUntil(std::nan(""), 0.0), INT32_MIN);
    uint32_t sleepMs = 0;
    EXPECT_TRUE(FramePacing::sleepTime(INT32_MAX, 1, sleepMs));
    EXPECT_EQ(sleepMs, uint32_t(INT32_MAX) - 1);
    EXPECT_FALSE(FramePacing::sleepTime(INT32_MIN, 0, sleepMs));
}

}  // namespace
