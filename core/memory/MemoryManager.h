#pragma once

#include <cstddef>
#include <cstdint>

class Allocator;

namespace orvo {

// The one process-wide memory manager. It takes a single block from the process heap when it is
// first used, carves it into the pooled allocators of the compiled-in table and routes every
// request by its memory category to a fixed run of them. Nothing here throws: an exhausted
// category yields null.
class MemoryManager {
public:
    static constexpr int NUM_ALLOCATORS = 33;
    static constexpr int NUM_CATEGORIES = 17;
    // The category of plain new and new[].
    static constexpr int PLAIN_CATEGORY = 1;
    // The process-heap allocator; it also frees every address outside the pooled heaps.
    static constexpr int PLATFORM_ALLOCATOR = 32;

    enum AllocatorKind : std::uint32_t {
        KIND_PLATFORM_MALLOC = 0,
        KIND_BLOCK_LIST = 1,
        KIND_MULTI_BLOCK_LIST = 2,
        KIND_GREEDY = 3,
        KIND_DL_MALLOC = 4,
    };

    // Lists: size is the block size and count the number of blocks. Greedy and DlMalloc: size
    // is the heap size. PlatformMalloc reads neither.
    struct AllocatorRow {
        std::uint32_t kind;
        std::uint32_t size;
        std::uint32_t count;
    };

    // Allocator indices first to last (inclusive) serve the category.
    struct CategoryLocation {
        std::int32_t category;
        std::int32_t first;
        std::int32_t last;
    };

    static constexpr AllocatorRow ALLOCATORS[NUM_ALLOCATORS] = {
        {KIND_BLOCK_LIST, 4, 2000},
        {KIND_BLOCK_LIST, 8, 9000},
        {KIND_BLOCK_LIST, 16, 6000},
        {KIND_BLOCK_LIST, 32, 8000},
        {KIND_BLOCK_LIST, 64, 8000},
        {KIND_BLOCK_LIST, 128, 4000},
        {KIND_BLOCK_LIST, 256, 2000},
        {KIND_BLOCK_LIST, 512, 2000},
        {KIND_BLOCK_LIST, 1024, 100},
        {KIND_BLOCK_LIST, 2048, 50},
        {KIND_MULTI_BLOCK_LIST, 4096, 16384},
        {KIND_BLOCK_LIST, 16, 512},
        {KIND_MULTI_BLOCK_LIST, 32, 4096},
        {KIND_MULTI_BLOCK_LIST, 32, 4096},
        {KIND_BLOCK_LIST, 16, 16},
        {KIND_BLOCK_LIST, 64, 16},
        {KIND_BLOCK_LIST, 4, 1},
        {KIND_MULTI_BLOCK_LIST, 8192, 64},
        {KIND_BLOCK_LIST, 4, 64},
        {KIND_BLOCK_LIST, 1024, 16},
        {KIND_BLOCK_LIST, 16, 16},
        {KIND_MULTI_BLOCK_LIST, 128, 16},
        {KIND_BLOCK_LIST, 4, 1},
        {KIND_MULTI_BLOCK_LIST, 4, 1},
        {KIND_MULTI_BLOCK_LIST, 4, 1},
        {KIND_BLOCK_LIST, 256, 16},
        {KIND_BLOCK_LIST, 16, 16384},
        {KIND_BLOCK_LIST, 32, 8192},
        {KIND_BLOCK_LIST, 64, 16384},
        {KIND_BLOCK_LIST, 128, 4096},
        {KIND_BLOCK_LIST, 256, 2048},
        {KIND_MULTI_BLOCK_LIST, 512, 8192},
        {KIND_PLATFORM_MALLOC, 0, 0},
    };

    static constexpr CategoryLocation CATEGORY_LOCATIONS[NUM_CATEGORIES] = {
        {0, 0, 10},   {1, 26, 31},  {2, 11, 11},  {3, 12, 12},  {4, 13, 13},  {5, 14, 14},
        {6, 15, 15},  {7, 16, 16},  {8, 17, 17},  {9, 18, 18},  {10, 19, 19}, {11, 20, 21},
        {12, 22, 22}, {13, 23, 23}, {14, 24, 24}, {15, 26, 31}, {16, 25, 25},
    };

    // The manager, built on first call; null when the process heap could not give its block and
    // once the process-exit teardown has run (it is never built again).
    static MemoryManager* instance() { return instance_ != nullptr ? instance_ : build(); }

    // Null for size 0, a category outside 0 to 16, or when every allocator of the category
    // refuses. Alignment 0 counts as 1.
    void* allocate(std::size_t size, std::size_t alignment, int category);
    // Returns the block to the allocator whose heap holds it; null is ignored.
    void deallocate(void* pointer);
    // How many blocks the manager's allocators have handed out since the process started: the
    // figure that per-frame allocation budgets are measured by.
    static std::uint64_t getAllocationCount();
    void deallocate(const void* pointer);
    // 0 when no pooled allocator holds the address.
    std::size_t getAllocatedSize(const void* pointer) const;
    // The first allocator of the category; null for a category whose first allocator is 0 and
    // for one out of range.
    Allocator* getAllocatorFromCategory(unsigned category);
    // Null outside 0 to NUM_ALLOCATORS - 1.
    Allocator* getAllocator(int index);
    // Asks every allocator for its use figure, in index order, between the logger's
    // default-colour modes 9 and 8; writes nothing.
    void printStatus();
    void printLeakInformation();

    static void* allocatePlatformMemory(std::size_t bytes);

    // Plain and engine-string requests above this size go straight to the process heap: a few
    // of them would otherwise fill the pools that every small string and container shares.
    static constexpr std::size_t LARGE_REQUEST = 64 * 1024;

    // The plain new forms (category 1) and engine strings (category 15): the category's pools
    // up to LARGE_REQUEST bytes, else (or when they are full) the process heap through the
    // platform allocator, and the process heap with the same block format when no manager
    // exists. Null only when the process heap itself is exhausted. Size 0 counts as 1.
    static void* allocatePlain(std::size_t size, int category = PLAIN_CATEGORY);
    // Frees what allocatePlain gave. Works without a manager: after the teardown an address
    // inside the manager's block is ignored and any other one is freed as a process-heap block.
    static void deallocatePlain(void* pointer);

    // Defined only beside the replaced global operators and called at start-up in builds that
    // replace them, so that an executable linked without them fails to link: its plain delete
    // would hand pool addresses to the C library.
    static void linkCoreOperatorsIntoTheExecutable();

    // Only ends the manager's life; the block is never returned.
    ~MemoryManager();

private:
    // Frees find their allocator through a map of the pooled heaps in pages of this size.
    static constexpr unsigned PAGE_SHIFT = 16;

    static MemoryManager* build();
    MemoryManager(std::size_t allocatorObjectSpace, std::size_t pageCount);
    MemoryManager(const MemoryManager&) = delete;
    MemoryManager& operator=(const MemoryManager&) = delete;

    // The allocator whose heap holds the address: a pooled one or else the platform allocator.
    Allocator* holderOf(const void* pointer) const;

    Allocator* allocators_[NUM_ALLOCATORS];
    // The pooled heaps lie in index order from poolsBegin_ on. For each page of them, the first
    // allocator whose heap ends past the page's start: where the search for a holder begins.
    std::uintptr_t poolsBegin_;
    std::size_t poolsSize_;
    std::uint8_t* firstAllocatorOfPage_;

    static MemoryManager* instance_;
    friend class AutoDestructor;
};

// The process-exit teardown of the memory manager, registered when the manager is built.
class AutoDestructor {
public:
    static void onExit();

    static MemoryManager* memoryManagerPtr_;
};

}  // namespace orvo
