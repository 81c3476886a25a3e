#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "core/memory/AllocatorBlockList.h"
#include "core/memory/AllocatorDlMalloc.h"
#include "core/memory/AllocatorGreedy.h"
#include "core/memory/AllocatorLock.h"
#include "core/memory/AllocatorMultiBlockList.h"
#include "core/memory/AllocatorPlatformMalloc.h"

namespace {

std::uintptr_t address(const void* pointer) { return reinterpret_cast<std::uintptr_t>(pointer); }

TEST(AllocatorBlockListTest, ServesFittingRequestsLastFreedFirst) {
    alignas(16) unsigned char heap[16 * 4];
    AllocatorBlockList pool(heap, 16, 4, "test");
    EXPECT_EQ(pool.allocate(17, 1), nullptr);
    EXPECT_EQ(pool.allocate(8, 32), nullptr);
    std::vector<void*> blocks;
    for (int i = 0; i < 4; ++i) {
        blocks.push_back(pool.allocate(16, 16));
        ASSERT_NE(blocks.back(), nullptr);
        EXPECT_EQ(address(blocks.back()) % 16, 0u);
        // Contents are the caller's, including the bytes that held the link.
        std::memset(blocks.back(), 0xAB, 16);
    }
    EXPECT_EQ(pool.allocate(1, 1), nullptr);
    EXPECT_EQ(pool.getBlocksInUse(), 4u);
    EXPECT_EQ(pool.printStatus(), 64u);
    pool.deallocate(blocks[2]);
    pool.deallocate(blocks[0]);
    EXPECT_EQ(pool.allocate(4, 1), blocks[0]);
    EXPECT_EQ(pool.allocate(4, 1), blocks[2]);
    EXPECT_EQ(pool.getPeakBlocksInUse(), 4u);
    EXPECT_EQ(pool.getAllocatedSize(blocks[1]), 16u);
}

TEST(AllocatorBlockListTest, FourByteBlocksLinkByIndex) {
    alignas(4) unsigned char heap[4 * 5];
    AllocatorBlockList pool(heap, 4, 5, "tiny");
    std::vector<std::uintptr_t> seen;
    for (int i = 0; i < 5; ++i) {
        void* block = pool.allocate(4, 4);
        ASSERT_NE(block, nullptr);
        seen.push_back(address(block));
    }
    EXPECT_EQ(pool.allocate(4, 4), nullptr);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(seen[i], address(heap) + 4 * i);
    }
}

TEST(AllocatorBlockListTest, IgnoresFreesThatAreNotItsBlocks) {
    alignas(16) unsigned char heap[16 * 2];
    AllocatorBlockList pool(heap, 16, 2, "test");
    void* first = pool.allocate(16, 1);
    pool.deallocate(heap + 3);
    pool.deallocate(heap + sizeof(heap));
    EXPECT_EQ(pool.getBlocksInUse(), 1u);
    pool.deallocate(first);
    // A second free with nothing in use does not loop the free list.
    pool.deallocate(first);
    EXPECT_EQ(pool.getBlocksInUse(), 0u);
    EXPECT_NE(pool.allocate(16, 1), nullptr);
    EXPECT_NE(pool.allocate(16, 1), nullptr);
    EXPECT_EQ(pool.allocate(16, 1), nullptr);
}

// 8 blocks of 32 bytes, the run table after them.
class MultiBlockListTest : public ::testing::Test {
protected:
    static constexpr std::size_t BLOCK = 32;
    static constexpr std::size_t COUNT = 8;

    MultiBlockListTest() : pool_(heap_, BLOCK, COUNT, "multi") {}

    std::size_t blockOf(const void* pointer) const {
        return (address(pointer) - address(heap_)) / BLOCK;
    }
    std::vector<std::uint16_t> entries() const {
        std::vector<std::uint16_t> result;
        for (std::size_t i = 0; i < COUNT; ++i) {
            result.push_back(pool_.getRunEntry(i));
        }
        return result;
    }

    alignas(BLOCK) unsigned char heap_[COUNT * (BLOCK + 2)];
    AllocatorMultiBlockList pool_;
};

TEST_F(MultiBlockListTest, TakesTheStartOfTheFirstRunAndFreesItBack) {
    using Entries = std::vector<std::uint16_t>;
    EXPECT_EQ(entries(), (Entries{8, 0, 0, 0, 0, 0, 0, 0}));
    void* run = pool_.allocate(33, 1);
    EXPECT_EQ(blockOf(run), 0u);
    EXPECT_EQ(entries(), (Entries{0x8002, 0x8000, 6, 0, 0, 0, 0, 0}));
    EXPECT_EQ(pool_.getAllocatedSize(run), 64u);
    EXPECT_EQ(pool_.printStatus(), 64u);
    pool_.deallocate(run);
    EXPECT_EQ(entries(), (Entries{8, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(pool_.getBlocksInUse(), 0u);
}

TEST_F(MultiBlockListTest, PlacesByThePoolsMiddle) {
    using Entries = std::vector<std::uint16_t>;
    // Blocks 0 to 1 in use: 4 - 2 < 2 + 1 - 4 is false, so the start of the free run.
    void* low = pool_.allocate(64, 1);
    EXPECT_EQ(blockOf(pool_.allocate(1, 1)), 2u);
    pool_.deallocate(low);
    pool_.deallocate(heap_ + 2 * BLOCK);
    // Blocks 0 to 5 in use: 4 - 6 < 6 + 1 - 4, so the end of the free run.
    void* six = pool_.allocate(6 * BLOCK, 1);
    EXPECT_EQ(blockOf(six), 0u);
    void* last = pool_.allocate(BLOCK, BLOCK);
    EXPECT_EQ(blockOf(last), 7u);
    EXPECT_EQ(entries(), (Entries{0x8006, 0x8000, 0x8000, 0x8000, 0x8000, 0x8000, 1, 0x8001}));
    // An exact fit takes the whole run.
    EXPECT_EQ(blockOf(pool_.allocate(20, 1)), 6u);
    EXPECT_EQ(pool_.allocate(1, 1), nullptr);
}

TEST_F(MultiBlockListTest, MergesAFreedRunWithBothNeighbours) {
    using Entries = std::vector<std::uint16_t>;
    void* a = pool_.allocate(2 * BLOCK, 1);
    void* b = pool_.allocate(2 * BLOCK, 1);
    void* c = pool_.allocate(2 * BLOCK, 1);
    void* d = pool_.allocate(2 * BLOCK, 1);
    EXPECT_EQ(blockOf(a), 0u);
    EXPECT_EQ(blockOf(b), 2u);
    EXPECT_EQ(blockOf(c), 6u);
    EXPECT_EQ(blockOf(d), 4u);
    pool_.deallocate(a);
    pool_.deallocate(d);
    pool_.deallocate(b);
    EXPECT_EQ(entries(), (Entries{6, 0, 0, 0, 0, 0, 0x8002, 0x8000}));
    // The merged run serves a request that none of its parts could.
    void* five = pool_.allocate(5 * BLOCK, 1);
    EXPECT_EQ(blockOf(five), 0u);
    pool_.deallocate(five);
    pool_.deallocate(c);
    EXPECT_EQ(entries(), (Entries{8, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(MultiBlockListTest, RefusesWhatCannotFitAndBadFrees) {
    EXPECT_EQ(pool_.allocate(0, 1), nullptr);
    EXPECT_EQ(pool_.allocate(1, 2 * BLOCK), nullptr);
    EXPECT_EQ(pool_.allocate(COUNT * BLOCK + 1, 1), nullptr);
    void* a = pool_.allocate(3 * BLOCK, 1);
    void* b = pool_.allocate(3 * BLOCK, 1);
    ASSERT_NE(b, nullptr);
    // Two blocks are free, but not three.
    EXPECT_EQ(pool_.allocate(3 * BLOCK, 1), nullptr);
    // Frees of the inside of a run, of a free run and a second free change nothing.
    const auto before = entries();
    pool_.deallocate(static_cast<unsigned char*>(a) + BLOCK);
    pool_.deallocate(static_cast<unsigned char*>(a) + 1);
    pool_.deallocate(a);
    const auto afterFirst = entries();
    pool_.deallocate(a);
    EXPECT_EQ(entries(), afterFirst);
    EXPECT_NE(afterFirst, before);
    EXPECT_EQ(pool_.getBlocksInUse(), 3u);
}

TEST(AllocatorGreedyTest, RoundsToTheGranularityAndResetsWhenAllAreFreed) {
    alignas(64) unsigned char heap[256];
    AllocatorGreedy greedy(heap, sizeof(heap), 4, "greedy");
    void* first = greedy.allocate(5, 1);
    void* second = greedy.allocate(1, 0);
    void* third = greedy.allocate(3, 16);
    EXPECT_EQ(first, heap);
    EXPECT_EQ(second, heap + 8);
    EXPECT_EQ(third, heap + 16);
    EXPECT_EQ(greedy.printStatus(), 9u);
    EXPECT_EQ(greedy.allocate(256, 1), nullptr);
    EXPECT_EQ(greedy.getAllocatedSize(first), 0u);
    greedy.deallocate(nullptr);
    greedy.deallocate(nullptr);
    EXPECT_EQ(greedy.allocate(1, 1), heap + 20);
    greedy.deallocate(nullptr);
    greedy.deallocate(nullptr);
    // Every allocation freed: back to the heap base.
    EXPECT_EQ(greedy.allocate(256, 1), heap);
    greedy.clear();
    EXPECT_EQ(greedy.getBytesRemaining(), sizeof(heap));
    EXPECT_EQ(greedy.allocate(1, 1), heap);
}

TEST(AllocatorPlatformMallocTest, AlignsAfterItsHeaderWord) {
    AllocatorPlatformMalloc platform("plt");
    for (std::size_t alignment : {0u, 1u, 3u, 16u, 64u, 4096u}) {
        SCOPED_TRACE(alignment);
        auto* block = static_cast<unsigned char*>(platform.allocate(100, alignment));
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(address(block) % (alignment == 0 ? 1 : alignment), 0u);
        void* raw;
        std::memcpy(&raw, block - sizeof(void*), sizeof(raw));
        EXPECT_GE(address(block), address(raw) + sizeof(void*));
        std::memset(block, 0, 100);
        EXPECT_TRUE(platform.holds(block));
        platform.deallocate(block);
    }
    EXPECT_EQ(platform.allocate(SIZE_MAX - 4, 16), nullptr);
    // The failed request counts as an allocation.
    EXPECT_EQ(platform.printStatus(), 1u);
}

TEST(AllocatorDlMallocTest, ServesAlignedBlocksFromItsSlice) {
    alignas(16) static unsigned char heap[64 * 1024];
    AllocatorDlMalloc dl(heap, sizeof(heap), 4, "dl");
    void* a = dl.allocate(100, 1);
    void* b = dl.allocate(1000, 256);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(address(b) % 256, 0u);
    EXPECT_TRUE(dl.holds(a) && dl.holds(b));
    EXPECT_EQ(dl.printStatus(), 2u);
    EXPECT_EQ(dl.allocate(sizeof(heap), 1), nullptr);
    dl.deallocate(a);
    dl.deallocate(b);
    EXPECT_EQ(dl.printStatus(), 0u);
    EXPECT_NE(dl.allocate(60 * 1024, 1), nullptr);
    dl.clear();
    EXPECT_NE(dl.allocate(60 * 1024, 1), nullptr);
}

}  // namespace

// Threads that take and free blocks of one pool at once, each writing its mark into what it
// holds: a block handed out twice, a lost free or a torn counter shows as a wrong mark, a pool
// that does not refill or a count that does not add up.
TEST(AllocatorThreadsTest, PoolsServeManyThreadsAtOnce) {
    constexpr int THREADS = 4;
    constexpr int ROUNDS = 20000;
    constexpr std::size_t BLOCK = 32;
    constexpr std::size_t COUNT = 24;
    alignas(BLOCK) static unsigned char listHeap[BLOCK * COUNT];
    alignas(BLOCK) static unsigned char multiHeap[COUNT * (BLOCK + 2)];
    AllocatorBlockList list(listHeap, BLOCK, COUNT, "list");
    AllocatorMultiBlockList multi(multiHeap, BLOCK, COUNT, "multi");
    for (Allocator* pool : {static_cast<Allocator*>(&list), static_cast<Allocator*>(&multi)}) {
        SCOPED_TRACE(pool->getName());
        std::atomic<std::uint64_t> served{0};
        std::atomic<int> wrongMarks{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < THREADS; ++t) {
            threads.emplace_back([&, t] {
                const auto mark = static_cast<unsigned char>(0x10 + t);
                for (int round = 0; round < ROUNDS; ++round) {
                    // Up to three blocks at once (runs of one or two blocks in the multi pool),
                    // so that the pool runs dry now and then.
                    void* held[3] = {};
                    for (int i = 0; i < 3; ++i) {
                        held[i] = pool->allocate(BLOCK * (1 + (round + i) % 2), 1);
                        if (held[i] != nullptr) {
                            std::memset(held[i], mark, BLOCK);
                            ++served;
                        }
                    }
                    for (void* block : held) {
                        if (block == nullptr) {
                            continue;
                        }
                        const auto* bytes = static_cast<const unsigned char*>(block);
                        for (std::size_t b = 0; b < BLOCK; ++b) {
                            if (bytes[b] != mark) {
                                ++wrongMarks;
                                break;
                            }
                        }
                        pool->deallocate(block);
                    }
                }
            });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
        EXPECT_EQ(wrongMarks.load(), 0);
        EXPECT_EQ(pool->printStatus(), 0u);
        EXPECT_EQ(pool->getBlocksHandedOut(), served.load());
        EXPECT_GT(served.load(), std::uint64_t(THREADS) * ROUNDS);
        // Every block came back: the whole pool can be taken once more.
        std::vector<void*> all;
        while (void* block = pool->allocate(BLOCK, 1)) {
            all.push_back(block);
        }
        EXPECT_EQ(all.size(), COUNT);
        for (void* block : all) {
            pool->deallocate(block);
        }
    }
}

// Threads that sleep on the lock must all be woken: a lost wake-up hangs this test, a lock that
// lets two holders in loses increments.
TEST(AllocatorThreadsTest, LockKeepsOutEveryOtherHolder) {
    constexpr int THREADS = 6;
    constexpr int ROUNDS = 50000;
    AllocatorLock lock;
    std::uint64_t counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < THREADS; ++t) {
        threads.emplace_back([&] {
            for (int round = 0; round < ROUNDS; ++round) {
                lock.lock();
                const std::uint64_t seen = counter;
                // Long enough now and then for the others to give up spinning and sleep.
                if (round % 1000 == 0) {
                    std::this_thread::sleep_for(std::chrono::microseconds(50));
                }
                counter = seen + 1;
                lock.unlock();
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(counter, std::uint64_t(THREADS) * ROUNDS);
}
