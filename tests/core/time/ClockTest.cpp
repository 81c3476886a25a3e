#include <gtest/gtest.h>

#include "tests/core/time/FakeTimePlatform.h"

namespace orvo {
namespace {

TEST(ClockTest, WithoutASourceEverythingIsZero) {
    ASSERT_EQ(Clock::timePlatform_, nullptr);
    EXPECT_EQ(Clock::getCurrentTime(), 0.0);
    EXPECT_EQ(Clock::pause(), 0.0);
    EXPECT_EQ(Clock::resume(), 0.0);
    EXPECT_FALSE(Clock::paused());
    Clock::reset();
}

TEST(ClockTest, ForwardsToTheSource) {
    FakeTimePlatform source;
    source.now = 2.5;
    EXPECT_EQ(Clock::getCurrentTime(), 2.5);
    EXPECT_EQ(Clock::pause(), 2.5);
    source.now = 7.0;
    EXPECT_TRUE(Clock::paused());
    EXPECT_EQ(Clock::getCurrentTime(), 2.5);
    EXPECT_EQ(Clock::resume(), 2.5);
    EXPECT_FALSE(Clock::paused());
    source.now = 8.0;
    EXPECT_EQ(Clock::getCurrentTime(), 3.5);
    Clock::reset();
    EXPECT_EQ(Clock::getCurrentTime(), 0.0);
}

}  // namespace
}  // namespace orvo
