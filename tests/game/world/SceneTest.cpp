#include <gtest/gtest.h>

#include "core/maths/ZqMaths.h"
#include "game/objects/AirCraft.h"
#include "graphics/camera/GraphicsCamera.h"
#include "tests/game/support/WorldFixture.h"

using orvo::ZqVector;

namespace {

class SceneTest : public trellin_test::WorldFixture {
protected:
    orvo::GraphicsCamera& camera() { return *world->scene().getSceneCamera(); }
};

TEST_F(SceneTest, TheCameraSitsBehindThePlayerAsEachModeWants) {
    world->startRun();
    frames(100);
    const ZqVector<3> p = player().drawPosition;
    setWorldDelta(1.0);  // a long frame reaches the target rather than passing it
    objects().laneModeCameraUpdate();
    EXPECT_EQ(camera().position.x, p.x + 3.0f);
    EXPECT_EQ(camera().position.y, p.y + 1.5f);
    EXPECT_EQ(camera().position.z, p.z);

    objects().titleCamera = true;
    player().speed = 20.0f;
    objects().laneModeCameraUpdate();
    EXPECT_EQ(camera().position.x, p.x + 2.0f);
    EXPECT_EQ(camera().position.y, p.y + 0.5f);
    EXPECT_EQ(camera().position.z, p.z - 1.5f);
    EXPECT_EQ(player().speed, 5.0f);

    objects().titleCamera = false;
    objects().crashed = true;
    objects().laneModeCameraUpdate();
    EXPECT_EQ(camera().position.x, p.x - 1.0f);
    EXPECT_EQ(camera().position.y, p.y + 0.6f);
    EXPECT_EQ(camera().position.z, p.z + 4.0f);
}

TEST_F(SceneTest, TheCameraEasesSidewaysAtItsRate) {
    world->startRun();
    frames(100);
    objects().laneModeCameraUpdate();
    const float before = camera().position.z;
    player().drawPosition.z = before + 2.0f;
    setWorldDelta(0.1);
    objects().laneModeCameraUpdate();
    EXPECT_FLOAT_EQ(camera().position.z, before + 2.0f * 0.37f);
}

TEST_F(SceneTest, TheFieldOfViewWidensWithSpeed) {
    world->startRun();
    frames(5);
    const struct {
        float speed;
        float fov;
    } cases[] = {{0.0f, 60.0f}, {27.5f, 72.5f}, {55.0f, 85.0f}};
    for (const auto& c : cases) {
        player().speed = c.speed;
        world->scene().laneModeUpdateScene();
        EXPECT_FLOAT_EQ(camera().fieldOfView, c.fov) << c.speed;
    }
}

TEST_F(SceneTest, TheCurvatureDriftsToItsTargetAndStaysFlatEarlyOrOnTheTitle) {
    SceneManager& scene = world->scene();
    // Seed 1: the first draw (1.03) picks a target, the second (0.70) the right-hand bend.
    orvo::ZqMaths::setRandomSeed(1);
    scene.updateCurvature(351, false);
    EXPECT_TRUE(scene.isZTargetActive());
    EXPECT_EQ(scene.getZTarget(), 900.0f);
    EXPECT_FLOAT_EQ(scene.getZCurvature(), 13.5f);
    int frames = 1;
    while (scene.isZTargetActive() && frames < 1000) {
        scene.updateCurvature(351, false);
        ++frames;
    }
    EXPECT_GE(scene.getZCurvature(), 899.0f);
    EXPECT_LE(scene.getZCurvature(), 901.0f);
    EXPECT_NEAR(frames, 451, 2);
    // Up to 350, or on the title, the track is straight again at once.
    scene.updateCurvature(350, false);
    EXPECT_EQ(scene.getZCurvature(), 0.0f);
    // Seed 5: the left-hand bend, done once at or below -899.
    orvo::ZqMaths::setRandomSeed(5);
    scene.updateCurvature(1000, false);
    EXPECT_EQ(scene.getZTarget(), -900.0f);
    while (scene.isZTargetActive()) {
        scene.updateCurvature(1000, false);
    }
    EXPECT_LE(scene.getZCurvature(), -899.0f);
    scene.updateCurvature(1000, true);
    EXPECT_EQ(scene.getZCurvature(), 0.0f);
    // Seed 2: the first draw (0.06) chooses nothing this frame.
    orvo::ZqMaths::setRandomSeed(2);
    scene.updateCurvature(1000, false);
    EXPECT_FALSE(scene.isZTargetActive());
    EXPECT_EQ(scene.getZCurvature(), 0.0f);
}

}  // namespace
