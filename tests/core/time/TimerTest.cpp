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
}

}  // namespace
}  // namespace orvo
