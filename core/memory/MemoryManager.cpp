#include "core/memory/MemoryManager.h"

#include <cstdlib>
#include <new>

#include "core/log/Logger.h"
#include "core/memory/Allocator.h"
#include "core/memory/AllocatorBlockList.h"
#include "core/memory/AllocatorDlMalloc.h"
#include "core/memory/AllocatorGreedy.h"
#include "core/memory/AllocatorMultiBlockList.h"
#include "core/memory/AllocatorPlatformMalloc.h"

namespace orvo {

namespace {

using Row = MemoryManager::AllocatorRow;

constexpr bool validKinds() {
    for (const Row& row : MemoryManager::ALLOCATORS) {
        if (row.kind > MemoryManager::KIND_DL_MALLOC) {
            return false;
        }
    }
    return true;
}
static_assert(validKinds(), "unknown allocator kind in the table");
static_assert(MemoryManager::ALLOCATORS[MemoryManager::PLATFORM_ALLOCATOR].kind ==
                  MemoryManager::KIND_PLATFORM_MALLOC,
              "the catch-all allocator must be the process heap");

constexpr std::size_t OBJECT_ALIGNMENT = alignof(std::max_align_t);
constexpr std::size_t POOL_ALIGNMENT = 128;
// Plain new must give max_align_t alignment; the pooled blocks of category 1 already do.
constexpr std::size_t PLAIN_FALLBACK_ALIGNMENT = alignof(std::max_align_t);
// Greedy and DlMalloc allocators take this granularity word.
constexpr std::size_t GREEDY_GRANULARITY = 4;

// The manager's block, kept outside the manager so that frees after its teardown can still be
// told apart. Constant-initialised: the first allocation may come before any dynamic
// initialisation has run.
bool buildAttempted = false;
std::uintptr_t blockBegin = 0;
std::uintptr_t blockEnd = 0;

std::uintptr_t roundUp(std::uintptr_t value, std::size_t multiple) {
    return multiple > 1 ? (value + multiple - 1) / multiple * multiple : value;
}

bool isList(const Row& row) {
    return row.kind == MemoryManager::KIND_BLOCK_LIST ||
           row.kind == MemoryManager::KIND_MULTI_BLOCK_LIST;
}

std::size_t heapBytes(const Row& row) {
    switch (row.kind) {
        case MemoryManager::KIND_BLOCK_LIST:
            return AllocatorBlockList::requiredHeapSize(row.size, row.count);
        case MemoryManager::KIND_MULTI_BLOCK_LIST:
            return AllocatorMultiBlockList::requiredHeapSize(row.size, row.count);
        case MemoryManager::KIND_GREEDY:
            return AllocatorGreedy::requiredHeapSize(row.size, row.count);
        case MemoryManager::KIND_DL_MALLOC:
            return AllocatorDlMalloc::requiredHeapSize(row.size, row.count);
        default:
            return 0;
    }
}

std::size_t objectSize(const Row& row) {
    switch (row.kind) {
        case MemoryManager::KIND_BLOCK_LIST:
            return roundUp(sizeof(AllocatorBlockList), OBJECT_ALIGNMENT);
        case MemoryManager::KIND_MULTI_BLOCK_LIST:
            return roundUp(sizeof(AllocatorMultiBlockList), OBJECT_ALIGNMENT);
        case MemoryManager::KIND_GREEDY:
            return roundUp(sizeof(AllocatorGreedy), OBJECT_ALIGNMENT);
        case MemoryManager::KIND_DL_MALLOC:
            return roundUp(sizeof(AllocatorDlMalloc), OBJECT_ALIGNMENT);
        default:
            return roundUp(sizeof(AllocatorPlatformMalloc), OBJECT_ALIGNMENT);
    }
}

// Where a row's heap starts, given the cursor.
std::uintptr_t heapStart(const Row& row, std::uintptr_t cursor) {
    if (isList(row)) {
        return roundUp(cursor, row.size);
    }
    return row.kind == MemoryManager::KIND_PLATFORM_MALLOC ? cursor
                                                           : roundUp(cursor, POOL_ALIGNMENT);
}

// An upper bound of the heap bytes whatever the block's own alignment: each row may lose up to
// its alignment to rounding.
std::size_t heapTotal() {
    std::size_t total = 0;
    for (const Row& row : MemoryManager::ALLOCATORS) {
        if (isList(row)) {
            total = roundUp(total, row.size) + heapBytes(row) + row.size;
        } else if (row.kind == MemoryManager::KIND_PLATFORM_MALLOC) {
            total = roundUp(total, 256) + POOL_ALIGNMENT;
        } else {
            total = roundUp(total, 256) + heapBytes(row) + POOL_ALIGNMENT;
        }
    }
    return total;
}

std::size_t objectTotal() {
    std::size_t total = 0;
    for (const Row& row : MemoryManager::ALLOCATORS) {
        total += objectSize(row);
    }
    return total;
}

// "Blokl00", "MltBl01", ...: the kind's prefix and how many of that kind came before.
void makeName(const Row& row, unsigned counter, char (&name)[Allocator::NAME_LENGTH + 1]) {
    static const char* const PREFIXES[] = {"PltMl", "Blokl", "MltBl", "Greed"};
    if (row.kind == MemoryManager::KIND_DL_MALLOC) {
        const char dlName[] = "Dlmaloc";
        for (std::size_t i = 0; i < sizeof(dlName); ++i) {
            name[i] = dlName[i];
        }
        return;
    }
    const char* prefix = PREFIXES[row.kind];
    for (std::size_t i = 0; i < 5; ++i) {
        name[i] = prefix[i];
    }
    name[5] = static_cast<char>('0' + counter / 10 % 10);
    name[6] = static_cast<char>('0' + counter % 10);
    name[7] = '\0';
}

Allocator* construct(const Row& row, void* object, void* heap, const char* name) {
    switch (row.kind) {
        case MemoryManager::KIND_BLOCK_LIST:
            return new (object) AllocatorBlockList(heap, row.size, row.count, name);
        case MemoryManager::KIND_MULTI_BLOCK_LIST:
            return new (object) AllocatorMultiBlockList(heap, row.size, row.count, name);
        case MemoryManager::KIND_GREEDY:
            return new (object) AllocatorGreedy(heap, row.size, GREEDY_GRANULARITY, name);
        case MemoryManager::KIND_DL_MALLOC:
            return new (object) AllocatorDlMalloc(heap, row.size, GREEDY_GRANULARITY, name);
        default:
            return new (object) AllocatorPlatformMalloc(name);
    }
}

}  // namespace

MemoryManager* MemoryManager::instance_ = nullptr;
MemoryManager* AutoDestructor::memoryManagerPtr_ = nullptr;

MemoryManager* MemoryManager::build() {
    if (instance_ != nullptr || buildAttempted) {
        return instance_;
    }
    // Set first: an allocation made while the manager is being built gets the process heap.
    buildAttempted = true;
    const std::size_t managerSpace = roundUp(sizeof(MemoryManager), OBJECT_ALIGNMENT);
    const std::size_t objectSpace = objectTotal();
    const std::size_t pageCount = (heapTotal() >> PAGE_SHIFT) + 1;
    const std::size_t total = managerSpace + objectSpace + pageCount + heapTotal();
    void* block = allocatePlatformMemory(total);
    if (block == nullptr) {
        return nullptr;
    }
    blockBegin = reinterpret_cast<std::uintptr_t>(block);
    blockEnd = blockBegin + total;
    // Published only once it is whole.
    MemoryManager* manager = new (block) MemoryManager(objectSpace, pageCount);
    instance_ = manager;
    AutoDestructor::memoryManagerPtr_ = manager;
    std::atexit(&AutoDestructor::onExit);
    return manager;
}

MemoryManager::MemoryManager(std::size_t allocatorObjectSpace, std::size_t pageCount)
    : allocators_(), poolsBegin_(0), poolsSize_(0), firstAllocatorOfPage_(nullptr) {
    std::uintptr_t object =
        reinterpret_cast<std::uintptr_t>(this) + roundUp(sizeof(MemoryManager), OBJECT_ALIGNMENT);
    firstAllocatorOfPage_ = reinterpret_cast<std::uint8_t*>(object + allocatorObjectSpace);
    std::uintptr_t cursor = object + allocatorObjectSpace + pageCount;
    poolsBegin_ = cursor;
    unsigned counters[KIND_DL_MALLOC + 1] = {};
    for (int index = 0; index < NUM_ALLOCATORS; ++index) {
        const Row& row = ALLOCATORS[index];
        char name[Allocator::NAME_LENGTH + 1];
        makeName(row, counters[row.kind]++, name);
        const std::uintptr_t heap = heapStart(row, cursor);
        allocators_[index] =
            construct(row, reinterpret_cast<void*>(object), reinterpret_cast<void*>(heap), name);
        object += objectSize(row);
        cursor = row.kind == KIND_PLATFORM_MALLOC ? roundUp(cursor, POOL_ALIGNMENT)
                                                  : heap + heapBytes(row);
    }
    poolsSize_ = pageCount << PAGE_SHIFT;
    int first = 0;
    for (std::size_t page = 0; page < pageCount; ++page) {
        const std::uintptr_t pageStart = poolsBegin_ + (page << PAGE_SHIFT);
        while (first < PLATFORM_ALLOCATOR &&
               allocators_[first]->getHeapBase() + allocators_[first]->getHeapSize() <= pageStart) {
            ++first;
        }
        firstAllocatorOfPage_[page] = static_cast<std::uint8_t>(first);
    }
}

MemoryManager::~MemoryManager() { instance_ = nullptr; }

void AutoDestructor::onExit() {
    if (memoryManagerPtr_ != nullptr) {
        memoryManagerPtr_->~MemoryManager();
        memoryManagerPtr_ = nullptr;
    }
}

std::uint64_t MemoryManager::getAllocationCount() {
    std::uint64_t count = 0;
    if (instance_ != nullptr) {
        for (const Allocator* allocator : instance_->allocators_) {
            count += allocator->getBlocksHandedOut();
        }
    }
    return count;
}

void* MemoryManager::allocate(std::size_t size, std::size_t alignment, int category) {
    if (size == 0 || category < 0 || category >= NUM_CATEGORIES) {
        return nullptr;
    }
    if (alignment == 0) {
        alignment = 1;
    }
    const CategoryLocation& location = CATEGORY_LOCATIONS[category];
    for (int index = location.first; index <= location.last; ++index) {
        Allocator* allocator = allocators_[index];
        if (allocator->mayServe(size, alignment)) {
            if (void* result = allocator->allocate(size, alignment)) {
                return result;
            }
        }
    }
    return nullptr;
}

// Heaps are disjoint and lie in index order, so the first allocator of the page whose heap ends
// past the address is the only one that may hold it.
Allocator* MemoryManager::holderOf(const void* pointer) const {
    const auto address = reinterpret_cast<std::uintptr_t>(pointer);
    const std::uintptr_t offset = address - poolsBegin_;
    if (offset < poolsSize_) {
        for (int index = firstAllocatorOfPage_[offset >> PAGE_SHIFT]; index < PLATFORM_ALLOCATOR;
             ++index) {
            Allocator* allocator = allocators_[index];
            if (address - allocator->getHeapBase() < allocator->getHeapSize()) {
                return allocator;
            }
            if (address < allocator->getHeapBase()) {
                break;
            }
        }
    }
    return allocators_[PLATFORM_ALLOCATOR];
}

void MemoryManager::deallocate(void* pointer) {
    if (pointer != nullptr) {
        holderOf(pointer)->deallocate(pointer);
    }
}

void MemoryManager::deallocate(const void* pointer) { deallocate(const_cast<void*>(pointer)); }

std::size_t MemoryManager::getAllocatedSize(const void* pointer) const {
    return holderOf(pointer)->getAllocatedSize(pointer);
}

Allocator* MemoryManager::getAllocatorFromCategory(unsigned category) {
    if (category >= static_cast<unsigned>(NUM_CATEGORIES)) {
        return nullptr;
    }
    const int first = CATEGORY_LOCATIONS[category].first;
    return first == 0 ? nullptr : allocators_[first];
}

Allocator* MemoryManager::getAllocator(int index) {
    return index >= 0 && index < NUM_ALLOCATORS ? allocators_[index] : nullptr;
}

void MemoryManager::printStatus() {
    ZqLog.setDefaultColor(Logger::NO_DEFAULT_COLOR);
    for (int index = 0; index < NUM_ALLOCATORS; ++index) {
        allocators_[index]->printStatus();
    }
    ZqLog.setDefaultColor(Logger::WHITE);
}

void MemoryManager::printLeakInformation() {}

void* MemoryManager::allocatePlatformMemory(std::size_t bytes) { return std::malloc(bytes); }

void* MemoryManager::allocatePlain(std::size_t size, int category) {
    if (size == 0) {
        size = 1;
    }
    MemoryManager* manager = instance();
    if (manager == nullptr) {
        return AllocatorPlatformMalloc::allocateWithHeader(size, PLAIN_FALLBACK_ALIGNMENT);
    }
    void* result = size <= LARGE_REQUEST ? manager->allocate(size, 1, category) : nullptr;
    if (result == nullptr) {
        result = manager->allocators_[PLATFORM_ALLOCATOR]->allocate(size, PLAIN_FALLBACK_ALIGNMENT);
    }
    return result;
}

void MemoryManager::deallocatePlain(void* pointer) {
    if (instance_ != nullptr) {
        instance_->deallocate(pointer);
        return;
    }
    const auto address = reinterpret_cast<std::uintptr_t>(pointer);
    if (address - blockBegin >= blockEnd - blockBegin) {
        AllocatorPlatformMalloc::freeWithHeader(pointer);
    }
}

namespace {

// Builds the manager during static initialisation at the latest, on the main thread.
struct StartUp {
    StartUp() {
#ifdef TRELLIN_REPLACE_ALLOCATORS
        MemoryManager::linkCoreOperatorsIntoTheExecutable();
#endif
        AutoDestructor::memoryManagerPtr_ = MemoryManager::instance();
    }
} startUp;

}  // namespace

}  // namespace orvo
