#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "game/objects/AirCraft.h"
#include "graphics/camera/GraphicsCamera.h"
#include "lib/tablet/feed.h"
#include "lib/tablet/screen.h"
#include "platform/playbook/TimePlatformPlaybook.h"
#include "tests/game/support/WorldFixture.h"

using orvo::ZqVector;

namespace {

// Frame steps from a fast machine to a stall of two seconds a frame.
const double STEPS[] = {1.0 / 64.0, 1.0 / 30.0, 0.1, 0.5, 2.0};

// The name of the first float of the craft or the camera that is not finite, "" when all are.
std::string firstNonFinite(HeadlessWorld& world) {
    const AirCraft& craft = world.player();
    const orvo::GraphicsCamera& camera = *world.scene().getSceneCamera();
    const struct {
        const char* name;
        const ZqVector<3>& v;
    } vectors[] = {
        {"position", craft.position},
        {"drawPosition", craft.drawPosition},
        {"camera position", camera.position},
        {"camera direction", camera.direction},
        {"camera up", camera.up},
        {"look point", world.objects().lookPoint},
    };
    for (const auto& vector : vectors) {
        if (!std::isfinite(vector.v.x) || !std::isfinite(vector.v.y) ||
            !std::isfinite(vector.v.z)) {
            return vector.name;
        }
    }
    if (!std::isfinite(craft.roll) || !std::isfinite(craft.speed) ||
        !std::isfinite(camera.fieldOfView)) {
        return "roll, speed or field of view";
    }
    for (int i = 0; i < 16; ++i) {
        if (!std::isfinite((*craft.transform)[i])) {
            return "craft matrix";
        }
    }
    return "";
}

// A run of a new world at the given frame step, a few frames in, at full speed, the walls
// laid so far taken away. Tiles laid this early carry no enemies or power-ups.
std::unique_ptr<HeadlessWorld> fullSpeedRun(double step) {
    trellin_test::expectEmptyWorldLines();
    std::unique_ptr<HeadlessWorld> world(new HeadlessWorld(step));
    world->startRun();
    for (int i = 0; i < 3; ++i) {
        world->frame();
    }
    trellin_test::clearWalls(world->tiles());
    world->player().speed = world->player().maxSpeed;
    return world;
}

// Frames until the craft has gone past x by 10 or the predicate holds.
template <class Done>
void flyPast(HeadlessWorld& world, float x, Done done) {
    for (int i = 0; i < 200 && !done() && world.player().drawPosition.x > x - 10.0f; ++i) {
        world.frame();
    }
}

TEST(LongFrameTest, AtEveryFrameStepTheTrackStaysAheadAndTheWorldFinite) {
    for (double step : STEPS) {
        SCOPED_TRACE("step " + std::to_string(step));
        std::unique_ptr<HeadlessWorld> world = fullSpeedRun(step);
        AirCraft& craft = world->player();
        for (int frame = 0; frame < 400; ++frame) {
            // Shielded, so that the run lasts; a lane change every seven frames, so that the
            // craft banks and eases across.
            if (frame % 50 == 0) {
                craft.powerUp();  // the shield lasts 11 s, and a frame hands at most 0.1 s
            }
            if (frame % 7 == 1) {
                tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_RELEASE, 0, 0, 0);
            } else if (frame % 7 == 0) {
                const int x = frame % 14 == 0 ? 200 : 800;
                tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, x, 400);
            }
            world->frame();

            const std::string broken = firstNonFinite(*world);
            ASSERT_EQ(broken, "") << "frame " << frame;
            ASSERT_FALSE(craft.dead) << "frame " << frame;
            // At least one whole tile lies ahead of the craft's tile.
            const TileManager& tiles = world->tiles();
            ASSERT_GE(tiles.getTileCount(), craft.tileIndex + 2u) << "frame " << frame;
            const float farEdge =
                tiles.getTileInfo(tiles.getTileCount() - 1)->centre.x - TileInfo::HALF_EXTENT;
            ASSERT_LT(farEdge, craft.position.x - TileManager::RUN_TILE_SPACING)
                << "frame " << frame;
            // The play camera looks ahead, towards -X. Its look point moves on by 19 a frame
            // whatever the frame's time, so it stays ahead of a craft that moves less than that
            // in a frame: 5.5 at full speed in the longest frame the clock hands out.
            ASSERT_LT(world->scene().getSceneCamera()->direction.x, 0.0f) << "frame " << frame;
        }
        EXPECT_LT(craft.position.x, -300.0f);  // it flew
    }
}

TEST(LongFrameTest, AtEveryFrameStepAWallAheadIsHitAndAPowerupAheadCollected) {
    for (double step : STEPS) {
        SCOPED_TRACE("step " + std::to_string(step));
        {
            std::unique_ptr<HeadlessWorld> world = fullSpeedRun(step);
            const AirCraft& craft = world->player();
            const ZqVector<3> wall(craft.drawPosition.x - 3.0f, 0.0f, craft.drawPosition.z);
            trellin_test::addWall(world->tiles(), wall);
            flyPast(*world, wall.x, [&craft] { return craft.dead; });
            EXPECT_TRUE(craft.dead);
            EXPECT_TRUE(world->objects().crashed);
        }
        {
            std::unique_ptr<HeadlessWorld> world = fullSpeedRun(step);
            const AirCraft& craft = world->player();
            ObjectManager& objects = world->objects();
            const ZqVector<3> powerup(craft.drawPosition.x - 3.0f, 2.0f, craft.drawPosition.z);
            objects.powerupTimer = ObjectManager::POWERUP_INTERVAL + 1.0f;
            objects.laneModeSpawnPowerup(powerup);
            ASSERT_TRUE(objects.powerupActive);
            flyPast(*world, powerup.x, [&craft] { return craft.isShielded(); });
            EXPECT_TRUE(craft.isShielded());
            EXPECT_FALSE(objects.powerupActive);
        }
    }
}

// A stall of seconds is one tenth of a second of the game: the craft moves on by that, and a
// crash's countdown (1.5 s) goes on rather than ending.
TEST(LongFrameTest, AStallPlaysAsATenthOfASecond) {
    const double half = 1.0 / 128.0;  // the clock is read at a frame's start and at its end
    std::unique_ptr<HeadlessWorld> world = fullSpeedRun(2.0 * half);
    AirCraft& craft = world->player();
    const auto stalled = [&world, half] {
        orvo::TimePlatformPlaybook::setFixedStep(3.0);
        world->frame();
        orvo::TimePlatformPlaybook::setFixedStep(half);
    };
    const float x = craft.position.x;
    stalled();  // this frame lasts 3 s, and so does the next, which its end reading opens
    EXPECT_NEAR(x - craft.position.x, craft.maxSpeed * 0.1f, 0.01f);

    trellin_test::addWall(world->tiles(),
                          ZqVector<3>(craft.drawPosition.x - 3.0f, 0.0f, craft.drawPosition.z));
    world->frame();
    ASSERT_TRUE(craft.dead);
    GameManager& game = world->game();
    ASSERT_TRUE(game.gameOverPending);
    stalled();
    EXPECT_TRUE(game.gameOverPending);
    EXPECT_NEAR(game.gameOverCountdown, 1.4f, 0.001f);
}

class LongFrameCollisionTest : public trellin_test::WorldFixture {
protected:
    void SetUp() override {
        trellin_test::WorldFixture::SetUp();
        world->startRun();
        frames(10);
    }
    // Alive, unshielded and at full speed, with nothing about, for a frame of dt.
    void ready(double dt) {
        player().dead = false;
        player().speed = player().maxSpeed;
        objects().vulnerable = true;
        objects().crashed = false;
        objects().powerupActive = false;
        clearWalls();
        setWorldDelta(dt);
    }
    ZqVector<3> behind(float dx, float y) {
        const ZqVector<3>& e = player().drawPosition;
        return ZqVector<3>(e.x + dx, y, e.z);
    }
};

// Over a long frame the craft's box sweeps the way it covered: a power-up it passed is
// collected, and an enemy it overtook is hit. The enemy flies 15 slower, so the craft gained
// 15 x dt on it, not its whole step.
TEST_F(LongFrameCollisionTest, PowerupsAndEnemiesPassedInALongFrameAreHit) {
    const struct {
        double dt;
        float dx;  // where the object is now, behind the craft's drawn position
        bool powerupTaken;
        bool enemyHit;
    } cases[] = {
        // 55 x 0.5 = 27.5 covered, 15 x 0.5 = 7.5 gained on the enemy.
        {0.5, 5.9f, true, true},
        {0.5, 6.1f, true, false},
        {0.5, 25.9f, true, false},
        {0.5, 26.1f, false, false},
        // At 60 frames a second the box covers each step on its own: nothing behind it counts.
        {1.0 / 60.0, 0.01f, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dt) + " " + std::to_string(c.dx));
        ready(c.dt);
        objects().powerupTimer = ObjectManager::POWERUP_INTERVAL + 1.0f;
        objects().laneModeSpawnPowerup(behind(c.dx, 1.0f));
        objects().laneModeCollisionDetection();
        EXPECT_EQ(player().isShielded(), c.powerupTaken);
        player().shieldTimer.stop();
        player().shieldWarningTimer.stop();

        ready(c.dt);
        objects().laneModeSpawnEnemyAirCraft(behind(c.dx, 1.0f));
        const AirCraft& enemy = *objects().getEnemies()[objects().getEnemies().size() - 1];
        ASSERT_EQ(enemy.speed, player().speed - 15.0f);
        objects().laneModeCollisionDetection();
        EXPECT_EQ(player().dead, c.enemyHit);
        objects().collideableObjectCulling();  // the enemies behind are dropped
        objects().collideableObjectCulling();
    }
}

// The bank eases back to level; a long frame stops it there rather than throwing it past level
// (1 - 6.1 x dt below -1 diverges to a matrix of NaN).
TEST_F(LongFrameCollisionTest, TheBankEasesToLevelWithoutPassingIt) {
    for (double dt : {1.0 / 64.0, 0.1, 0.2, 0.33, 0.5, 2.0}) {
        SCOPED_TRACE(dt);
        setWorldDelta(dt);
        AirCraft craft;
        craft.roll = 0.5f;
        for (int i = 0; i < 50; ++i) {
            craft.laneModeUpdate();
            ASSERT_GE(craft.roll, 0.0f) << i;
            ASSERT_LE(craft.roll, 0.5f) << i;
        }
        for (int i = 0; i < 16; ++i) {
            EXPECT_TRUE(std::isfinite((*craft.transform)[i]));
        }
    }
}

}  // namespace
