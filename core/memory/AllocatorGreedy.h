#pragma once

#include "core/memory/Allocator.h"

// Linear allocation from a cursor; the heap is emptied at once when every allocation has been
// freed (or by clear()).
class AllocatorGreedy : public Allocator {
public:
    static std::size_t requiredHeapSize(std::size_t heapSize, std::size_t unused);

    // A granularity of 0 counts as 1.
    AllocatorGreedy(void* heap, std::size_t heapSize, std::size_t granularity, const char* name);

    void* allocate(std::size_t size, std::size_t alignment) override;
    // The address is not examined: only the number of frees counts.
    void deallocate(void* pointer) override;
    std::size_t printStatus() override;
    std::size_t getAllocatedSize(const void* pointer) const override;

    // Empties the heap without locking.
    void clear();

    std::size_t getBytesRemaining() const { return bytesRemaining_; }
    std::size_t getAllocationCount() const { return allocationCount_; }

private:
    std::uintptr_t cursor_;
    std::size_t bytesRemaining_;
    std::size_t granularity_;
    std::size_t bytesHandedOut_;
    std::size_t largestRequest_;
    std::size_t allocationCount_;
    std::size_t freeCount_;
};
