#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "core/memory/Allocator.h"
#include "core/memory/MemoryManager.h"
#include "tests/core/file/ManagerUse.h"
#include "tests/core/memory/FilledAllocator.h"
#include "tests/ui/script/ScriptFixture.h"

using namespace orvo;
using trellin_test::ManagerUse;

namespace {

void* alloc(void* pointer, std::size_t oldSize, std::size_t newSize) {
    return ScriptSystem::zqLuaAlloc(nullptr, pointer, oldSize, newSize);
}

void fill(void* block, std::size_t size, unsigned char seed) {
    auto* bytes = static_cast<unsigned char*>(block);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<unsigned char>(seed + i);
    }
}

bool holds(const void* block, std::size_t size, unsigned char seed) {
    const auto* bytes = static_cast<const unsigned char*>(block);
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] != static_cast<unsigned char>(seed + i)) {
            return false;
        }
    }
    return true;
}

// The use figure of the allocators that serve category 0.
std::size_t defaultCategoryUse() {
    MemoryManager* manager = MemoryManager::instance();
    const MemoryManager::CategoryLocation& location = MemoryManager::CATEGORY_LOCATIONS[0];
    std::size_t sum = 0;
    for (int i = location.first; i <= location.last; ++i) {
        sum += manager->getAllocator(i)->printStatus();
    }
    return sum;
}

}  // namespace

TEST(LuaAllocTest, ReallocationKeepsTheBytesThatFitAndFreesTheOldBlock) {
    const ManagerUse use;
    void* block = alloc(nullptr, 0, 100);
    ASSERT_NE(block, nullptr);
    fill(block, 100, 1);
    void* grown = alloc(block, 100, 3000);
    ASSERT_NE(grown, nullptr);
    EXPECT_TRUE(holds(grown, 100, 1));
    fill(grown, 3000, 2);
    EXPECT_EQ(alloc(grown, 3000, 3000), grown);
    void* shrunk = alloc(grown, 3000, 40);
    ASSERT_NE(shrunk, nullptr);
    EXPECT_TRUE(holds(shrunk, 40, 2));
    EXPECT_EQ(alloc(shrunk, 40, 0), nullptr);
    EXPECT_TRUE(use.unchanged());
}

TEST(LuaAllocTest, AShrinkWritesNothingPastTheNewBlock) {
    constexpr int NEIGHBOURS = 400;
    std::vector<std::pair<unsigned char*, unsigned char>> blocks;
    blocks.reserve(NEIGHBOURS);
    const ManagerUse use;
    constexpr std::size_t OLD_SIZE = 3000;
    constexpr std::size_t NEW_SIZE = 64;  // fills a block of its pool exactly
    void* block = alloc(nullptr, 0, OLD_SIZE);
    ASSERT_NE(block, nullptr);
    fill(block, OLD_SIZE, 4);

    // Blocks of the new size, each with its own bytes. The pool hands out the block freed
    // last, so the shrink lands on the first of a run of them that spans the old size.
    for (int i = 0; i < NEIGHBOURS; ++i) {
        auto* neighbour = static_cast<unsigned char*>(alloc(nullptr, 0, NEW_SIZE));
        ASSERT_NE(neighbour, nullptr);
        blocks.emplace_back(neighbour, static_cast<unsigned char>(i));
        fill(neighbour, NEW_SIZE, blocks.back().second);
    }
    std::sort(blocks.begin(), blocks.end());
    const std::size_t runLength = OLD_SIZE / NEW_SIZE + 1;
    std::size_t first = 0;
    for (std::size_t k = 1; k < blocks.size() && k - first < runLength; ++k) {
        if (blocks[k].first != blocks[k - 1].first + NEW_SIZE) {
            first = k;
        }
    }
    ASSERT_LE(first + runLength, blocks.size()) << "no run of adjacent blocks";
    unsigned char* target = blocks[first].first;
    alloc(target, NEW_SIZE, 0);

    void* shrunk = alloc(block, OLD_SIZE, NEW_SIZE);
    ASSERT_EQ(shrunk, target);
    EXPECT_TRUE(holds(shrunk, NEW_SIZE, 4));
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        if (k != first) {
            EXPECT_TRUE(holds(blocks[k].first, NEW_SIZE, blocks[k].second)) << k - first;
        }
    }
    alloc(shrunk, NEW_SIZE, 0);
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        if (k != first) {
            alloc(blocks[k].first, NEW_SIZE, 0);
        }
    }
    EXPECT_TRUE(use.unchanged());
}

TEST(LuaAllocTest, BlocksAreAlignedForNumbersAndPointers) {
    std::vector<void*> blocks;
    for (std::size_t size = 1; size <= 80; ++size) {
        blocks.push_back(alloc(nullptr, 0, size));
        ASSERT_NE(blocks.back(), nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(blocks.back()) % alignof(double), 0u) << size;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(blocks.back()) % alignof(void*), 0u) << size;
    }
    for (void* block : blocks) {
        alloc(block, 1, 0);
    }
}

TEST(LuaAllocTest, AFailedGrowthGivesNullAndAFailedShrinkKeepsTheOldBlock) {
    const ManagerUse use;
    void* block = alloc(nullptr, 0, 300);
    ASSERT_NE(block, nullptr);
    fill(block, 300, 3);
    EXPECT_EQ(alloc(block, 300, std::size_t(1) << 30), nullptr);
    EXPECT_TRUE(holds(block, 300, 3));

    {
        // With the category exhausted even the smaller block cannot be had.
        const MemoryManager::CategoryLocation& location =
            MemoryManager::CATEGORY_LOCATIONS[ScriptSystem::MEMORY_CATEGORY];
        std::vector<std::unique_ptr<trellin_test::FilledAllocator>> full;
        for (int index = location.first; index <= location.last; ++index) {
            full.push_back(std::make_unique<trellin_test::FilledAllocator>(index));
        }
        EXPECT_EQ(alloc(nullptr, 0, 8), nullptr);
        EXPECT_EQ(alloc(block, 300, 100), block);
        EXPECT_TRUE(holds(block, 300, 3));
    }
    alloc(block, 100, 0);
    EXPECT_TRUE(use.unchanged());
}

typedef trellin_test::ScriptFixture LuaStateMemoryTest;

TEST_F(LuaStateMemoryTest, StatesLiveInTheDefaultCategoryAndGiveItAllBackWhenClosed) {
    scripts->removeLuaState(scripts->createLuaState("warm-up", false));
    const std::size_t before = defaultCategoryUse();
    lua_State* state = scripts->createLuaState("memory", true);
    ASSERT_NE(state, nullptr);
    EXPECT_NE(MemoryManager::instance()->getAllocatedSize(state), 0u);
    const std::size_t opened = defaultCategoryUse();
    EXPECT_GT(opened, before);
    ASSERT_TRUE(ScriptSystem::callLua(state, "t = {} for i = 1, 20000 do t[i] = i end"));
    EXPECT_GT(defaultCategoryUse(), opened + 20000 * sizeof(double));
    scripts->removeLuaState(state);
    EXPECT_EQ(defaultCategoryUse(), before);
}
