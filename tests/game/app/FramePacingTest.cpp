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

double fakeNow = 0.0;
double fakeClock() { return fakeNow; }

// A long session on a fake clock: each frame's work takes 5 ms and sleeps last exactly what
// they ask. The grid must start again from the clock after its 100001st frame; from its old
// start every later frame would be late, and the game would run flat out.
TEST(FramePacingTest, TheGridStartsAgainFromTheClockAfterItsLastFrame) {
    const double frame = 0.01666666753590107;
    const int gridFrames = 100001;
    const int framesAfter = 600;
    // A frame that slept ends at most the resolution and a truncated millisecond before its due.
    const double onTime = 0.002;
    fakeNow = 1000.0;
    double reference = fakeNow;
    float count = 0.0f;
    double restartedAt = 0.0;
    for (int i = 0; i < gridFrames + framesAfter; ++i) {
        const double due = FramePacing::dueTime(reference, count, frame);
        fakeNow += 0.005;
        uint32_t sleepMs = 0;
        if (FramePacing::sleepTime(FramePacing::millisecondsUntil(due, fakeNow), 1, sleepMs)) {
            fakeNow += sleepMs / 1000.0;
        }
        FramePacing::countFrame(count, reference, &fakeClock);
        if (i == gridFrames - 1) {
            ASSERT_EQ(count, 0.0f);
            EXPECT_EQ(reference, fakeNow);
            EXPECT_NEAR(fakeNow - 1000.0, (gridFrames - 1) * frame, onTime);
            restartedAt = fakeNow;
        } else {
            ASSERT_NE(count, 0.0f) << i;
        }
    }
    EXPECT_NEAR(fakeNow - restartedAt, (framesAfter - 1) * frame, onTime);

    // A reproducible run starts the count again but never reads the clock.
    count = FramePacing::FRAME_COUNT_LIMIT;
    reference = 5.0;
    FramePacing::countFrame(count, reference, nullptr);
    EXPECT_EQ(count, 0.0f);
    EXPECT_EQ(reference, 5.0);
}

}  // namespace
