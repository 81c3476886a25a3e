#include <gtest/gtest.h>

#include "core/memory/MemoryManager.h"
#include "game/objects/AirCraft.h"
#include "tests/game/support/WorldFixture.h"

namespace {

class AllocationTest : public trellin_test::WorldFixture {};

// Counted through the memory manager, which sees every allocation only when the allocation
// operators are replaced (not in the sanitizer build).
TEST_F(AllocationTest, SteadyPlayFramesAllocateOnlyWhenATileIsLaid) {
#ifndef TRELLIN_REPLACE_ALLOCATORS
    GTEST_SKIP() << "allocations bypass the memory manager in this build";
#endif
    world->startRun();
    player().speed = 55.0f;
    std::size_t tileFrames = 0;
    std::uint64_t tileAllocations = 0;
    for (int frame = -300; frame < 3000; ++frame) {
        // A fresh shield before the last one warns (576 frames): the run goes on.
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
        const std::uint64_t made = orvo::MemoryManager::getAllocationCount() - before;
        if (world->tiles().getTileCounter() == counter) {
            ASSERT_EQ(made, 0u) << "frame " << frame;
        } else {
            ++tileFrames;
            tileAllocations += made;
        }
    }
    EXPECT_FALSE(player().dead);
    EXPECT_GT(tileFrames, 50u);
    // A laid tile: the tile, its shared count, its lane points and wall lists, and the
    // enemies it asks for.
    const double perTile = static_cast<double>(tileAllocations) / tileFrames;
    RecordProperty("allocations_per_laid_tile", std::to_string(perTile));
    EXPECT_LT(perTile, 16.0);
}

}  // namespace
