#include <gtest/gtest.h>

#include "core/time/Clock.h"
#include "core/time/Platform.h"
#include "platform/playbook/TimePlatformPlaybook.h"

namespace orvo {
namespace {

// Every reading of the clock lies exactly one step after the previous one.
class FixedStepTest : public ::testing::Test {
protected:
    FixedStepTest() { TimePlatformPlaybook::setFixedStep(5.0); }
    ~FixedStepTest() override { TimePlatformPlaybook::setFixedStep(0.0); }
};

TEST_F(FixedStepTest, PauseFreezesAndResumeSkipsThePausedSpan) {
    TimePlatformPlaybook source;  // reads the clock once: elapsed 0 from here
    EXPECT_EQ(source.getCurrentTime(), 5.0);
    EXPECT_EQ(source.pause(), 10.0);
    EXPECT_TRUE(source.paused());
    // While paused nothing reads the clock: the same value comes back every time.
    EXPECT_EQ(source.getCurrentTime(), 10.0);
    EXPECT_EQ(source.pause(), 10.0);
    // One step passes while paused; the resume continues from 10.
    EXPECT_EQ(source.resume(), 10.0);
    EXPECT_FALSE(source.paused());
    EXPECT_EQ(source.getCurrentTime(), 15.0);
    EXPECT_EQ(source.resume(), 15.0);  // running: nothing changes
    EXPECT_EQ(source.getCurrentTime(), 20.0);

    source.pause();
    source.reset();  // always leaves the source running, at 0
    EXPECT_FALSE(source.paused());
    EXPECT_EQ(source.getCurrentTime(), 5.0);
}

TEST_F(FixedStepTest, InitialiseTimeCreatesTheSourceOnceAndRestartsIt) {
    ASSERT_EQ(Clock::timePlatform_, nullptr);
    Clock* clock = new Clock();
    TimePlatform* source = Clock::timePlatform_;
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(Clock::getCurrentTime(), 5.0);
    EXPECT_EQ(Clock::getCurrentTime(), 10.0);

    Clock::initialiseTime();
    EXPECT_EQ(Clock::timePlatform_, source);
    EXPECT_EQ(Clock::getCurrentTime(), 5.0);

    // The source outlives any one clock object: the other clocks still read it.
    delete clock;
    EXPECT_EQ(Clock::timePlatform_, source);
    EXPECT_EQ(Clock::getCurrentTime(), 10.0);
    delete Clock::timePlatform_;
    Clock::timePlatform_ = nullptr;
}

TEST(TimePlatformPlaybookTest, MonotonicClockMeasuresASleep) {
    TimePlatformPlaybook source;
    const double before = source.getCurrentTime();
    EXPECT_GE(before, 0.0);
    Platform::sleep(20);
    const double after = source.getCurrentTime();
    EXPECT_GE(after - before, 0.019);
    EXPECT_LT(after - before, 5.0);
}

}  // namespace
}  // namespace orvo
