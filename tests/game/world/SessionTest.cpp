#include <gtest/gtest.h>

#include "game/objects/AirCraft.h"
#include "graphics/camera/GraphicsCamera.h"
#include "tests/game/support/WorldFixture.h"

namespace {

class SessionTest : public trellin_test::WorldFixture {
protected:
    void crashNow() {
        clearWalls();
        addWall(player().drawPosition);
        objects().laneModeCollisionDetection();
        ASSERT_TRUE(player().dead);
    }
    // Frames from the crash until the restart page opens.
    int countdownFrames() {
        int count = 0;
        while (!world->game().restartMenuShown && count < 1000) {
            world->frame();
            ++count;
        }
        return count;
    }
    GameTimer& worldTimer() { return TimeManager::instance_->getTimer(TimeManager::WORLD_TIMER); }
};

TEST_F(SessionTest, ACrashSlowsTheWorldForOneAndAHalfSecondsOfRealTime) {
    world->startRun();
    frames(50);
    crashNow();
    EXPECT_TRUE(world->game().gameOverPending);
    // The session update of the next frame slows the world timer; from the frame after
    // that, the world moves a tenth as far.
    world->frame();
    EXPECT_EQ(worldTimer().scale, 0.1f);
    EXPECT_DOUBLE_EQ(worldTimer().lastDelta, STEP);
    world->frame();
    EXPECT_DOUBLE_EQ(worldTimer().lastDelta, STEP * double(0.1f));
    // 1.5 s at 1/64 s: 96 frames in all, two of them already run.
    EXPECT_EQ(countdownFrames() + 2, 96);
    EXPECT_FALSE(world->game().gameOverPending);
    EXPECT_EQ(worldTimer().scale, 0.1f);
    world->frame();
    EXPECT_EQ(worldTimer().scale, 1.0f);
}

// The countdown counts down in floats: 90 steps of 1/60 s leave 8e-7 of it, so the page opens
// on the 91st frame.
TEST_F(SessionTest, TheCountdownTakesNinetyOneFramesAtSixtyFramesPerSecond) {
    world.reset();
    trellin_test::expectEmptyWorldLines();
    world.reset(new HeadlessWorld(1.0 / 60.0));
    world->startRun();
    frames(50);
    crashNow();
    EXPECT_EQ(countdownFrames(), 91);
}

TEST_F(SessionTest, LeavingTheForegroundPausesOnlyWhilePlayIsOn) {
    // On the title: no page.
    world->game().pauseSessionGui();
    EXPECT_FALSE(world->game().pauseMenuShown);
    world->startRun();
    frames(20);
    world->game().pauseSessionGui();
    EXPECT_TRUE(world->game().pauseMenuShown);
    EXPECT_TRUE(world->game().guiPaused);
    // With the pause page up the scene stands still.
    const float x = player().position.x;
    const orvo::ZqVector<3> camera = world->scene().getSceneCamera()->position;
    const std::size_t counter = world->tiles().getTileCounter();
    frames(30);
    EXPECT_EQ(player().position.x, x);
    EXPECT_EQ(world->scene().getSceneCamera()->position.x, camera.x);
    EXPECT_EQ(world->tiles().getTileCounter(), counter);
    // Never over the countdown.
    world->game().pauseMenuShown = false;
    world->game().guiPaused = false;
    crashNow();
    world->game().pauseSessionGui();
    EXPECT_FALSE(world->game().pauseMenuShown);
}

TEST_F(SessionTest, APausedGameRunsNoFrameUntilResumed) {
    world->startRun();
    frames(5);
    world->game().pauseGame();
    EXPECT_EQ(worldTimer().lastDelta, 0.0);
    const float x = player().position.x;
    frames(10);
    EXPECT_EQ(player().position.x, x);
    world->game().resumeGame();
    EXPECT_FALSE(worldTimer().paused);
    frames(2);
    EXPECT_LT(player().position.x, x);
}

TEST_F(SessionTest, TheTitleKeepsTheCraftSlowAndCountsNothing) {
    frames(100);
    EXPECT_EQ(player().speed, 5.0f);
    EXPECT_EQ(player().distance, 0u);
    EXPECT_EQ(world->scene().getZCurvature(), 0.0f);
    EXPECT_LT(player().position.x, -4.0f);  // it flies on all the same
}

}  // namespace
