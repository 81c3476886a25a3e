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
    time.now = 0.05;
    clock.startFrame();
    EXPECT_DOUBLE_EQ(clock.frameDelta, 0.05);
    EXPECT_DOUBLE_EQ(normal.lastDelta, 0.05);
    EXPECT_DOUBLE_EQ(slow.lastDelta, 0.05 * double(0.1f));
    // Paused after a frame: it keeps reporting that frame's delta.
    paused.paused = true;
    time.now = 0.15;
    clock.startFrame();
    EXPECT_DOUBLE_EQ(paused.lastDelta, 0.05);
    EXPECT_DOUBLE_EQ(paused.totalTime, 0.05);
    EXPECT_DOUBLE_EQ(normal.totalTime, 0.15);
    EXPECT_DOUBLE_EQ(slow.totalTime, 0.15 * double(0.1f));
    EXPECT_DOUBLE_EQ(clock.previousElapsed, 0.05);
    EXPECT_EQ(clock.frameWorkTime, 0.0);
    time.now = 0.4;
    clock.endFrame();
    EXPECT_DOUBLE_EQ(clock.frameWorkTime, 0.25);
}

// A long frame (a stall, a window drag) hands its timers no more than a tenth of a second, so
// that the world moves no further in a frame than its tiles and collisions are made for; the
// clock itself keeps the real time.
TEST_F(GameTimeTest, ALongFrameHandsItsTimersATenthOfASecondAtMost) {
    GameClock clock;
    GameTimer normal(clock), slow(clock);
    slow.scale = 0.1f;
    const struct {
        double now;
        double handed;
    } frames[] = {{0.1, 0.1}, {6.1, 0.1}, {6.15, 0.05}, {8.15, 0.1}};
    double total = 0.0;
    for (const auto& frame : frames) {
        time.now = frame.now;
        clock.startFrame();
        total += frame.handed;
        EXPECT_NEAR(normal.lastDelta, frame.handed, 1e-12) << frame.now;
        EXPECT_NEAR(slow.lastDelta, frame.handed * double(0.1f), 1e-12) << frame.now;
        EXPECT_DOUBLE_EQ(clock.elapsed, frame.now);
    }
    EXPECT_DOUBLE_EQ(clock.frameDelta, 2.0);
    EXPECT_NEAR(normal.totalTime, total, 1e-12);
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
    time.now = 0.1;
    manager.startFrame();
    EXPECT_EQ(TimeManager::worldFrameTime(), static_cast<float>(0.1 * double(0.1f)));
    EXPECT_DOUBLE_EQ(TimeManager::realTotalTime(), 0.1);
    TimeManager::instance_ = nullptr;
}

}  // namespace
