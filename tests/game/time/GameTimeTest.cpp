#include <gtest/gtest.h>

#include "core/time/Clock.h"
#include "core/time/TimePlatform.h"
#include "game/time/TimeManager.h"

namespace {

// A clock source whose time the test sets.
class ManualTime : public orvo::TimePlatform {
public:
    double getCurrentTime() override { return now; }
    void reset() override { now = 0.0; }
    double pause() override { return now; }
    double resume() override { return now; }
    bool paused() override { return false; }
    double now = 0.0;
};

class GameTimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = orvo::Clock::timePlatform_;
        orvo::Clock::timePlatform_ = &time;
    }
    void TearDown() override { orvo::Clock::timePlatform_ = saved; }

    ManualTime time;
    orvo::TimePlatform* saved = nullptr;
};

TEST_F(GameTimeTest, TimersScalePauseAndKeepTheirLastDelta) {
    time.now = 2.0;  // the clock's creation restarts the source at 0
    GameClock clock;
    GameTimer normal(clock), slow(clock), paused(clock);
    slow.scale = 0.1f;
    time.now = 0.5;
    clock.startFrame();
    EXPECT_DOUBLE_EQ(clock.frameDelta, 0.5);
    EXPECT_DOUBLE_EQ(normal.lastDelta, 0.5);
    EXPECT_DOUBLE_EQ(slow.lastDelta, 0.5 * double(0.1f));
    // Paused after a frame: it keeps reporting that frame's delta.
    paused.paused = true;
    time.now = 1.5;
    clock.startFrame();
    EXPECT_DOUBLE_EQ(paused.lastDelta, 0.5);
    EXPECT_DOUBLE_EQ(paused.totalTime, 0.5);
    EXPECT_DOUBLE_EQ(normal.totalTime, 1.5);
    EXPECT_DOUBLE_EQ(slow.totalTime, 1.5 * double(0.1f));
    EXPECT_DOUBLE_EQ(clock.previousElapsed, 0.5);
    EXPECT_EQ(clock.frameWorkTime, 0.0);
    time.now = 1.75;
    clock.endFrame();
    EXPECT_DOUBLE_EQ(clock.frameWorkTime, 0.25);
}

TEST_F(GameTimeTest, RemovingMovesTheLastTimerIntoTheGap) {
    GameClock clock;
    GameClock other;
    GameTimer first(clock), second(clock);
    {
        GameTimer third(clock);
        GameTimer stranger(other);
        clock.removeTimer(&stranger);
        ASSERT_EQ(clock.timers.size(), 3u);
        clock.removeTimer(&first);
        ASSERT_EQ(clock.timers.size(), 2u);
        EXPECT_EQ(clock.timers[0], &third);
        EXPECT_EQ(clock.timers[1], &second);
        clock.addTimer(nullptr);
        EXPECT_EQ(clock.timers.size(), 2u);
    }
    // The destroyed timer unregistered itself.
    ASSERT_EQ(clock.timers.size(), 1u);
    EXPECT_EQ(clock.timers[0], &second);
}

TEST_F(GameTimeTest, TimeManagerHasSixTimersAndServesTheWorldTime) {
    EXPECT_EQ(TimeManager::worldFrameTime(), 0.0f);  // no service
    TimeManager manager;
    ASSERT_EQ(manager.clock.timers.size(), 6u);
    TimeManager::instance_ = &manager;
    manager.getTimer(TimeManager::WORLD_TIMER).scale = 0.1f;
    time.now = 1.0;
    manager.startFrame();
    EXPECT_EQ(TimeManager::worldFrameTime(), static_cast<float>(double(0.1f)));
    EXPECT_DOUBLE_EQ(TimeManager::realTotalTime(), 1.0);
    TimeManager::instance_ = nullptr;
}

}  // namespace
