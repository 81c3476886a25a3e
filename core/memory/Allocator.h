#pragma once

#include <cstddef>
#include <cstdint>

#include "core/thread/LightMutex.h"

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

    bool holds(const void* pointer) const {
        return reinterpret_cast<std::uintptr_t>(pointer) - heapBase_ < heapSize_;
    }
    std::uintptr_t getHeapBase() const { return heapBase_; }
    std::size_t getHeapSize() const { return heapSize_; }
    const char* getName() const { return name_; }

protected:
    std::uintptr_t heapBase_;
    std::size_t heapSize_;
    char name_[NAME_LENGTH + 1];
    orvo::LightMutex mutex_;
};
