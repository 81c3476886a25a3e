#include <gtest/gtest.h>

#include "core/file/FileBase.h"
#include "game/manager/GameDataTables.h"
#include "game/objects/AirCraft.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/camera/GraphicsCamera.h"
#include "tests/game/support/ModelFolder.h"
#include "tests/game/support/RecordingTarget.h"
#include "tests/game/support/WorldFixture.h"

using trellin_test::RecordingTarget;

namespace {

// The world's draws with one-piece models for the sky, the walls and the ship.
class RenderTest : public trellin_test::WorldFixture {
protected:
    void SetUp() override {
        using namespace GameDataTables;
        for (const ModelFolder& model : {SKY_MODEL, WALL_MODEL, SHIP_MODEL}) {
            trellin_test::writeOnePieceModel(dir, std::string(DATA_FOLDER) + model.folder);
            providedModels.push_back(model.folder);
        }
        orvo::FileBase::setRootPath(dir.path().c_str());
        trellin_test::WorldFixture::SetUp();
        orvo::GraphicsSystem::instance_->setCurrentRenderTarget(target);
    }

    trellin_test::TempDirectory dir;
    boost::shared_ptr<RecordingTarget> target{new RecordingTarget()};
};

TEST_F(RenderTest, AFrameDrawsTheSkyAtTheCameraThenTheShipThenEveryWall) {
    world->startRun();
    frames(2);
    target->draws.clear();
    target->events.clear();
    world->frame();
    std::size_t walls = 0;
    for (const auto& tile : world->tiles().getTiles()) {
        for (const auto& lane : tile->wallPositions) {
            walls += lane.size();
        }
    }
    ASSERT_EQ(walls, 8u);
    ASSERT_EQ(target->draws.size(), 1 + 1 + walls);
    const orvo::ZqVector<3>& eye = world->scene().getSceneCamera()->position;
    EXPECT_EQ(target->draws[0].world[3], eye.x);
    EXPECT_EQ(target->draws[0].world[7], eye.y);
    EXPECT_EQ(target->draws[0].world[11], eye.z);
    // The ship between the culling switches, at its drawn position.
    const std::vector<RecordingTarget::Event> order = {
        RecordingTarget::DRAW, RecordingTarget::CULL_ON, RecordingTarget::DRAW,
        RecordingTarget::CULL_OFF, RecordingTarget::DRAW};
    std::vector<RecordingTarget::Event> drawsAndCulling;
    for (RecordingTarget::Event event : target->events) {
        if (event == RecordingTarget::DRAW || event == RecordingTarget::CULL_ON ||
            event == RecordingTarget::CULL_OFF) {
            drawsAndCulling.push_back(event);
        }
    }
    ASSERT_GE(drawsAndCulling.size(), order.size());
    EXPECT_TRUE(std::equal(order.begin(), order.end(), drawsAndCulling.begin()));
    EXPECT_EQ(target->draws[1].world[3], player().drawPosition.x);
    // The first populated tile's first wall.
    const auto& wall = world->tiles().getTileInfo(3)->wallPositions[0][0];
    EXPECT_EQ(target->draws[2].world[3], wall.x);
    EXPECT_EQ(target->draws[2].world[11], wall.z);

    // Walls are drawn only while visible (back on the title they are not).
    objects().wallsVisible = false;
    target->draws.clear();
    world->frame();
    EXPECT_EQ(target->draws.size(), 2u);
}

TEST_F(RenderTest, AFrameWithoutRenderingMovesTheWorldButDrawsNothing) {
    world->startRun();
    frames(2);
    target->draws.clear();
    const float x = player().position.x;
    for (int i = 0; i < 10; ++i) {
        world->game().updateWithoutRendering();
    }
    EXPECT_TRUE(target->draws.empty());
    EXPECT_LT(player().position.x, x);
    world->frame();
    EXPECT_FALSE(target->draws.empty());
}

}  // namespace
