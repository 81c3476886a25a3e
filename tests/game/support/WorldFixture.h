#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "game/manager/GameManager.h"
#include "game/objects/ObjectManager.h"
#include "game/scene/SceneManager.h"
#include "game/time/TimeManager.h"
#include "game/track/TileManager.h"
#include "tests/game/support/MissingData.h"
#include "tests/game/support/Walls.h"
#include "tools/world/HeadlessWorld.h"

namespace trellin_test {

// A headless world per test, stepped at 1/64 s unless a test makes its own. It has none of the
// game's data but the models and tiles a test provides.
class WorldFixture : public ::testing::Test {
protected:
    static constexpr double STEP = 1.0 / 64.0;

    void SetUp() override {
        expectEmptyWorldLines(providedModels, tilesProvided);
        world.reset(new HeadlessWorld(STEP));
    }
    void TearDown() override { world.reset(); }

    void frames(int count) {
        for (int i = 0; i < count; ++i) {
            world->frame();
        }
    }
    // Sets the world timer's delta for calls made outside a frame.
    static void setWorldDelta(double dt) {
        TimeManager::instance_->getTimer(TimeManager::WORLD_TIMER).lastDelta = dt;
    }
    void clearWalls() { trellin_test::clearWalls(world->tiles()); }
    void addWall(const orvo::ZqVector<3>& at) { trellin_test::addWall(world->tiles(), at); }

    AirCraft& player() { return world->player(); }
    ObjectManager& objects() { return world->objects(); }

    std::unique_ptr<HeadlessWorld> world;
    // Model folders of the data tables (GameDataTables::SHIP_MODEL.folder) the test writes before
    // SetUp.
    std::vector<std::string> providedModels;
    bool tilesProvided = false;
};

}  // namespace trellin_test
