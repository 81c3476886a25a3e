#include <gtest/gtest.h>

#include "core/memory/MemoryManager.h"
#include "game/objects/AirCraft.h"
#include "tests/game/support/WorldFixture.h"

namespace {

class AllocationTest : public trellin_test::WorldFixture {};

// Counted through the memory manager, which sees every allocation only when the allocation
// operators are replaced (not in the sanitizer build). Two runs, the second started over the
// first as a restart does: after each run's first frames, not one frame allocates, whether it
// lays a tile, drops one, or brings in an enemy, a power-up or an explosion.
TEST_F(AllocationTest, SteadyPlayFramesAllocateNothing) {
#ifndef TRELLIN_REPLACE_ALLOCATORS
    GTEST_SKIP() << "allocations bypass the memory manager in this build";
#endif
    for (int run = 0; run < 2; ++run) {
        world->startRun();
        player().speed = 55.0f;
        std::size_t tilesLaid = 0;
        std::size_t enemyFrames = 0;
        for (int frame = -300; frame < 4000; ++frame) {
            // A fresh shield before the last one warns (576 frames): the run goes on, and the
            // enemies it meets explode.
            if (frame % 500 == 0 || frame == -300) {
                player().powerUp();
            }
            if (frame < 0) {
                world->frame();
                continue;
            }
            const uint32_t counter = world->tiles().getTileCounter();
            const std::uint64_t before = orvo::MemoryManager::getAllocationCount();
            world->frame();
            ASSERT_EQ(orvo::MemoryManager::getAllocationCount() - before, 0u)
                << "run " << run << ", frame " << frame;
            tilesLaid += world->tiles().getTileCounter() - counter;
            enemyFrames += objects().getEnemies().empty() ? 0 : 1;
        }
        EXPECT_FALSE(player().dead);
        EXPECT_GT(tilesLaid, 150u);
        EXPECT_GT(enemyFrames, 100u);
    }
}

}  // namespace
