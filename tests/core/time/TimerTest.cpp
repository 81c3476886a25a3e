#include <gtest/gtest.h>

#include <limits>

#include "core/time/Timer.h"
#include "tests/core/time/FakeTimePlatform.h"

namespace orvo {
namespace {

TEST(TimerTest, CountsWholePeriodsOfTheClock) {
    FakeTimePlatform source;
    Timer timer(0.5);
    EXPECT_EQ(timer.getState(), Timer::NOT_STARTED);
    source.now = 3.0;
    EXPECT_EQ(timer.update(Clock::getCurrentTime()), 0u);  // not started

    source.now = 0.0;
    timer.start(Clock::getCurrentTime());
    EXPECT_EQ(timer.getState(), Timer::RUNNING);
    source.now = 1.2;
    EXPECT_EQ(timer.update(Clock::getCurrentTime()), 2u);
    EXPECT_NEAR(timer.getRemaining(), 0.3, 1e-12);
    source.now = 1.3;
    EXPECT_EQ(timer.update(Clock::getCurrentTime()), 0u);

    // Exact binary times from here on.
    source.now = 2.0;
    timer.start(Clock::getCurrentTime());
    source.now = 2.5;
    EXPECT_EQ(timer.update(Clock::getCurrentTime()), 1u);  // exactly at the period's end
    EXPECT_EQ(timer.getRemaining(), 0.5);

    // The clock stands still while paused and skips the paused span: the timer counts neither.
    Clock::pause();
    source.now = 10.0;
    EXPECT_EQ(timer.update(Clock::getCurrentTime()), 0u);
    Clock::resume();
    EXPECT_EQ(timer.update(Clock::getCurrentTime()), 0u);
    EXPECT_EQ(timer.getRemaining(), 0.5);
    source.now = 11.0;
    EXPECT_EQ(timer.update(Clock::getCurrentTime()), 2u);
}

TEST(TimerTest, StopRestoresTheFullPeriod) {
    Timer timer(2.0);
    timer.start(0.0);
    EXPECT_EQ(timer.update(1.5), 0u);
    timer.stop();
    EXPECT_EQ(timer.getState(), Timer::STOPPED);
    EXPECT_EQ(timer.getRemaining(), 2.0);
    EXPECT_EQ(timer.update(100.0), 0u);
    timer.start(100.0);
    EXPECT_EQ(timer.update(103.0), 1u);
    EXPECT_EQ(timer.getRemaining(), 1.0);
}

TEST(TimerTest, PeriodsThatCannotEndCountNothing) {
    for (double period : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
        Timer timer(period);
        timer.start(0.0);
        EXPECT_EQ(timer.update(5.0), 0u) << period;
    }
}

TEST(TimerTest, LongGapsAreCountedWithoutLooping) {
    const double period = 1.0 / 1024.0;
    Timer timer(period);
    timer.start(0.0);
    EXPECT_EQ(timer.update(100000.0), 102400000u);
    EXPECT_EQ(timer.getRemaining(), period);

    Timer tiny(1e-12);
    tiny.start(0.0);
    EXPECT_EQ(tiny.update(1e6), std::numeric_limits<unsigned>::max());
    Timer forever(1.0);
    forever.start(0.0);
    EXPECT_EQ(forever.update(std::numeric_limits<double>::infinity()),
              std::numeric_limits<unsigned>::max());
    // A second infinite time leaves the timer whole.
    EXPECT_EQ(forever.update(std::numeric_limits<double>::infinity()), 0u);
    EXPECT_EQ(forever.getRemaining(), 1.0);
}

// Whatever the period and the gap, one update closes the gap: the time left afterwards lies
// within one period.
TEST(TimerTest, CatchUpIsExactForAnyPeriodAndGap) {
    struct Case {
        double period;
        double gap;
    };
    const Case cases[] = {
        {1e-38, 0.05},
        {1e-300, 1e300},
        {0.1, 1e15},
        {1e-9, 3.7},
        {5e-324, 1.0},
        {0.3, 0.9},
        {1e-3, 1.0},
        // A script's time as a float: the frame's gap leaves a remainder far above the period.
        {double(1e-38f), 1.0 / 60.0},
        {double(1e-38f), 0.016},
        {double(1e-20f), 0.1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.period << " " << c.gap);
        Timer timer(c.period);
        timer.start(0.0);
        const unsigned count = timer.update(c.gap);
        EXPECT_GT(count, 0u);
        EXPECT_GT(timer.getRemaining(), 0.0);
        EXPECT_LE(timer.getRemaining(), c.period);
    }
    // Small counts are exact.
    Timer quarter(0.25);
    quarter.start(0.0);
    EXPECT_EQ(quarter.update(1.0), 4u);
    EXPECT_EQ(quarter.getRemaining(), 0.25);
    EXPECT_EQ(quarter.update(1.75), 3u);
    EXPECT_EQ(quarter.getRemaining(), 0.25);
}

}  // namespace
}  // namespace orvo
