#pragma once

#include <cstddef>
#include <cstdlib>
#include <vector>

#include "core/memory/Allocator.h"
#include "core/memory/MemoryManager.h"

namespace trellin_test {

// Whether plain new and the categorised forms reach the memory manager in this build (the
// sanitizer builds give them the standard heap).
#ifdef TRELLIN_REPLACE_ALLOCATORS
constexpr bool OPERATORS_REPLACED = true;
#else
constexpr bool OPERATORS_REPLACED = false;
#endif

// Takes every free block of one of the manager's pooled allocators, largest runs first, and
// gives them back when it goes: the allocator then refuses whatever is asked of it.
class FilledAllocator {
public:
    explicit FilledAllocator(int index)
        : allocator_(orvo::MemoryManager::instance()->getAllocator(index)) {
        blocks_.reserve(1 << 15);
        for (std::size_t size = allocator_->getHeapSize(); size > 0; size /= 2) {
            while (void* block = allocator_->allocate(size, 1)) {
                blocks_.push_back(block);
            }
        }
    }
    ~FilledAllocator() {
        for (void* block : blocks_) {
            allocator_->deallocate(block);
        }
    }
    FilledAllocator(const FilledAllocator&) = delete;
    FilledAllocator& operator=(const FilledAllocator&) = delete;

private:
    Allocator* allocator_;
    std::vector<void*> blocks_;
};

}  // namespace trellin_test
