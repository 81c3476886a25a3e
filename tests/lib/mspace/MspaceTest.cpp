#include "lib/mspace/mspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace {

std::uintptr_t address(const void* pointer) { return reinterpret_cast<std::uintptr_t>(pointer); }

class MspaceTest : public ::testing::Test {
protected:
    static constexpr std::size_t CAPACITY = 64 * 1024;

    MspaceTest() : heap_(CAPACITY), space_(create_mspace_with_base(heap_.data(), CAPACITY, 0)) {}

    bool inHeap(const void* pointer, std::size_t size) const {
        return address(pointer) >= address(heap_.data()) &&
               address(pointer) + size <= address(heap_.data()) + CAPACITY;
    }

    std::vector<unsigned char> heap_;
    mspace space_;
};

TEST(MspaceCreateTest, NeedsARegionThatHoldsOneBlock) {
    unsigned char small[64];
    EXPECT_EQ(create_mspace_with_base(nullptr, 4096, 0), nullptr);
    EXPECT_EQ(create_mspace_with_base(small, sizeof(small), 0), nullptr);
    EXPECT_EQ(create_mspace_with_base(small, 0, 0), nullptr);
}

TEST_F(MspaceTest, ServesAlignedBlocksInsideItsRegion) {
    ASSERT_NE(space_, nullptr);
    for (std::size_t alignment : {0u, 1u, 8u, 16u, 24u, 64u, 256u, 4096u}) {
        SCOPED_TRACE(alignment);
        void* block = mspace_memalign(space_, alignment, 100);
        ASSERT_NE(block, nullptr);
        EXPECT_TRUE(inHeap(block, 100));
        EXPECT_EQ(address(block) % std::max<std::size_t>(alignment == 24 ? 32 : alignment, 16), 0u);
        std::memset(block, 0x5A, 100);
        mspace_free(space_, block);
    }
    EXPECT_NE(mspace_memalign(space_, 16, 0), nullptr);
    mspace_free(space_, nullptr);
}

TEST_F(MspaceTest, ExhaustionYieldsNullWithEnomemAndFreeingMergesBack) {
    std::vector<void*> blocks;
    void* block = nullptr;
    while ((block = mspace_memalign(space_, 16, 1000)) != nullptr) {
        blocks.push_back(block);
    }
    EXPECT_EQ(errno, ENOMEM);
    EXPECT_GT(blocks.size(), 50u);
    errno = 0;
    EXPECT_EQ(mspace_memalign(space_, 16, SIZE_MAX - 8), nullptr);
    EXPECT_EQ(errno, ENOMEM);
    // Free every other block, then the rest: only merging both neighbours gives one region again.
    for (std::size_t i = 0; i < blocks.size(); i += 2) {
        mspace_free(space_, blocks[i]);
    }
    EXPECT_EQ(mspace_memalign(space_, 16, 3000), nullptr);
    for (std::size_t i = 1; i < blocks.size(); i += 2) {
        mspace_free(space_, blocks[i]);
    }
    void* whole = mspace_memalign(space_, 16, blocks.size() * 1000);
    EXPECT_NE(whole, nullptr);
    mspace_free(space_, whole);
}

TEST_F(MspaceTest, RandomUseKeepsBlocksApartAndIntact) {
    struct Live {
        unsigned char* data;
        std::size_t size;
        unsigned char fill;
    };
    std::mt19937 generator(1337);
    std::vector<Live> live;
    for (int step = 0; step < 20000; ++step) {
        const bool allocate = live.empty() || generator() % 3 != 0;
        if (allocate) {
            const std::size_t size = generator() % 700;
            const std::size_t alignment = std::size_t(1) << (generator() % 9);
            auto* data = static_cast<unsigned char*>(mspace_memalign(space_, alignment, size));
            if (data == nullptr) {
                continue;
            }
            ASSERT_TRUE(inHeap(data, size));
            ASSERT_EQ(address(data) % alignment, 0u);
            const auto fill = static_cast<unsigned char>(step);
            std::memset(data, fill, size);
            live.push_back({data, size, fill});
        } else {
            const std::size_t index = generator() % live.size();
            const Live entry = live[index];
            for (std::size_t i = 0; i < entry.size; ++i) {
                ASSERT_EQ(entry.data[i], entry.fill) << "block overwritten";
            }
            mspace_free(space_, entry.data);
            live[index] = live.back();
            live.pop_back();
        }
    }
    for (const Live& entry : live) {
        mspace_free(space_, entry.data);
    }
    EXPECT_NE(mspace_memalign(space_, 16, CAPACITY - 512), nullptr);
}

using MspaceDeathTest = MspaceTest;

TEST_F(MspaceDeathTest, MisuseIsReportedAndAborts) {
    void* block = mspace_memalign(space_, 16, 64);
    void* neighbour = mspace_memalign(space_, 16, 64);
    ASSERT_NE(neighbour, nullptr);
    mspace_free(space_, block);
    EXPECT_DEATH(mspace_free(space_, block), "double free");
    unsigned char foreign[64];
    EXPECT_DEATH(mspace_free(space_, foreign + 16), "outside the space");
    EXPECT_DEATH(mspace_free(space_, static_cast<unsigned char*>(neighbour) + 32), "not a block");
    // Writing past the end of a block damages its footer, which its free checks.
    std::memset(neighbour, 0xFF, 64 + 16);
    EXPECT_DEATH(mspace_free(space_, neighbour), "corrupted block");
    unsigned char notASpace[64] = {};
    EXPECT_DEATH(mspace_memalign(notASpace, 16, 8), "not a space");
}

}  // namespace
