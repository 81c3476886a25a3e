#pragma once

#include <atomic>

#include "core/memory/Allocator.h"

// The process heap, and the catch-all for frees of addresses outside every pooled heap. Each
// block carries, just before the address handed out, the address that malloc returned.
class AllocatorPlatformMalloc : public Allocator {
public:
    explicit AllocatorPlatformMalloc(const char* name);

    void* allocate(std::size_t size, std::size_t alignment) override;
    void deallocate(void* pointer) override;
    // Live allocations (allocations minus frees).
    std::size_t printStatus() override;
    std::size_t getAllocatedSize(const void* pointer) const override;

    // The block format without the counters, for use when no manager exists.
    static void* allocateWithHeader(std::size_t size, std::size_t alignment);
    static void freeWithHeader(void* pointer);

private:
    // No lock guards this allocator (the process heap has its own), so the figures are atomic.
    std::atomic<std::size_t> largestRequest_;
    std::atomic<std::size_t> allocationCount_;
    std::atomic<std::size_t> freeCount_;
};
