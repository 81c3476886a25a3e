#include <gtest/gtest.h>

#include <string>

#include "tests/game/render/RenderedWorld.h"

namespace {

// Pictures of the game as the world runs it, saved in the build folder for people to look at:
// the title, a run at a few distances with the track bending either way, and a crash. Nothing
// here looks at the pictures, so a picture of nothing passes: this makes pictures and checks
// only that the run gets where each is taken. What is drawn is checked by the other tests of
// this folder and by the game's end-to-end session.
class ScreenshotTest : public trellin_test::RenderedWorldTest {
protected:
    // Nothing in the player's lane within 4 ahead, so that the shield can go for a frame.
    bool clearAhead() {
        const orvo::ZqVector<3>& p = player().drawPosition;
        const auto near = [&p](const orvo::ZqVector<3>& q) {
            return q.x > p.x - 4.0f && q.x < p.x + 1.0f && q.z > p.z - 1.5f && q.z < p.z + 1.5f;
        };
        for (const auto& enemy : objects().getEnemies()) {
            if (near(enemy->drawPosition)) {
                return false;
            }
        }
        for (const auto& tile : tiles().getTiles()) {
            for (const auto& lane : tile->wallPositions) {
                for (const orvo::ZqVector<3>& wall : lane) {
                    if (near(wall)) {
                        return false;
                    }
                }
            }
        }
        return true;
    }
    // Drives on until the track is bent at least 850 to one side (+1 right, -1 left).
    bool bendTo(float side) {
        return driveUntil(
            [this, side] { return side * scene().getZCurvature() > 850.0f && clearAhead(); });
    }

    // The next frame without the shield, saved under the name.
    void shoot(const std::string& name) {
        dropShield();
        world->frame();
        EXPECT_FALSE(player().dead) << name;
        EXPECT_TRUE(pixels().save(shotPath(name.c_str()))) << name;
    }
};

TEST_F(ScreenshotTest, SavesPicturesOfTheTitleARunAndACrash) {
    frames(90);
    EXPECT_TRUE(pixels().save(shotPath("title")));

    world->startRun();
    frames(60);
    EXPECT_TRUE(pixels().save(shotPath("play_start")));

    // Further on, faster, bent to the right (positive Z curvature) and then to the left.
    player().speed = 40.0f;
    ASSERT_TRUE(bendTo(-1.0f));
    shoot("play_left_" + std::to_string(player().distance));
    ASSERT_TRUE(bendTo(1.0f));
    shoot("play_right_" + std::to_string(player().distance));
    ASSERT_TRUE(driveUntil([this] {
        return player().distance > 3000 && !objects().getEnemies().empty() &&
               scene().getZCurvature() > 300.0f && clearAhead();
    }));
    shoot("play_far_" + std::to_string(player().distance));

    // Unshielded, the run ends at the next wall or enemy: the crash camera during the slow
    // countdown, then the pieces once the world runs at full speed again.
    dropShield();
    for (int i = 0; i < 3000 && !player().dead; ++i) {
        world->frame();
    }
    ASSERT_TRUE(player().dead);
    frames(45);
    EXPECT_TRUE(game().gameOverPending);
    EXPECT_TRUE(pixels().save(shotPath("crash")));
    frames(90);
    EXPECT_TRUE(game().restartMenuShown);
    EXPECT_TRUE(pixels().save(shotPath("crash_pieces")));
}

}  // namespace
