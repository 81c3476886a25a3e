#pragma once

#include "core/memory/Allocator.h"
#include "lib/mspace/mspace.h"

// One mspace over the allocator's slice. The space takes no lock: one allocator of this kind
// serves one thread at a time. Misuse (a foreign or double free) aborts the process.
class AllocatorDlMalloc : public Allocator {
public:
    static std::size_t requiredHeapSize(std::size_t heapSize, std::size_t unused);

    AllocatorDlMalloc(void* heap, std::size_t heapSize, std::size_t unused, const char* name);

    void* allocate(std::size_t size, std::size_t alignment) override;
    void deallocate(void* pointer) override;
    // Live allocations.
    std::size_t printStatus() override;
    std::size_t getAllocatedSize(const void* pointer) const override;

    // Drops every allocation and lays a new space over the whole slice.
    void clear();

private:
    std::size_t liveAllocations_;
    mspace space_;
};
