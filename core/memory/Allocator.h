#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "core/memory/AllocatorLock.h"

// One allocator of the memory manager: it manages the address range [heap base, heap base +
// heap size) and the manager frees an address through the first allocator whose range holds it.
// Refusals are null results; nothing here throws or logs.
class Allocator {
public:
    static constexpr std::size_t NAME_LENGTH = 7;

    // Names longer than NAME_LENGTH characters are cut.
    Allocator(void* heap, std::size_t heapSize, const char* name);
    // Leaves the heap untouched.
    virtual ~Allocator();
    Allocator(const Allocator&) = delete;
    Allocator& operator=(const Allocator&) = delete;

    virtual void* allocate(std::size_t size, std::size_t alignment) = 0;
    virtual void deallocate(void* pointer) = 0;
    // The allocator's use figure; writes nothing.
    virtual std::size_t printStatus() = 0;
    virtual std::size_t getAllocatedSize(const void* pointer) const = 0;

    // False when the request is beyond anything the allocator can ever serve, so that the
    // manager can pass it by without a call.
    bool mayServe(std::size_t size, std::size_t alignment) const {
        return size <= largestSize_ && alignment <= largestAlignment_;
    }
    bool holds(const void* pointer) const {
        return reinterpret_cast<std::uintptr_t>(pointer) - heapBase_ < heapSize_;
    }
    std::uintptr_t getHeapBase() const { return heapBase_; }
    std::size_t getHeapSize() const { return heapSize_; }
    const char* getName() const { return name_; }
    // How many blocks the allocator has handed out since it was built; other threads may read
    // it while it changes.
    std::uint64_t getBlocksHandedOut() const {
        return blocksHandedOut_.load(std::memory_order_relaxed);
    }

protected:
    // The largest size and alignment mayServe lets through (by default anything).
    void limitRequests(std::size_t largestSize, std::size_t largestAlignment) {
        largestSize_ = largestSize;
        largestAlignment_ = largestAlignment;
    }
    // For kinds that count under their lock or serve one thread at a time: a plain increment.
    void countBlockHandedOut() {
        blocksHandedOut_.store(blocksHandedOut_.load(std::memory_order_relaxed) + 1,
                               std::memory_order_relaxed);
    }

    std::uintptr_t heapBase_;
    std::size_t heapSize_;
    char name_[NAME_LENGTH + 1];
    // Guards the state of the kinds that lock (every kind but the process heap and DlMalloc).
    AllocatorLock lock_;
    std::atomic<std::uint64_t> blocksHandedOut_;

private:
    std::size_t largestSize_;
    std::size_t largestAlignment_;
};
