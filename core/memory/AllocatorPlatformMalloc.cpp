#include "core/memory/AllocatorPlatformMalloc.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

// Base 0 and the largest size: every address that no pooled heap holds.
AllocatorPlatformMalloc::AllocatorPlatformMalloc(const char* name)
    : Allocator(nullptr, SIZE_MAX, name), largestRequest_(0), allocationCount_(0), freeCount_(0) {}

void* AllocatorPlatformMalloc::allocateWithHeader(std::size_t size, std::size_t alignment) {
    if (alignment == 0) {
        alignment = 1;
    }
    constexpr std::size_t header = sizeof(void*);
    if (size > SIZE_MAX - header - alignment) {
        return nullptr;
    }
    void* raw = std::malloc(size + header + alignment);
    if (raw == nullptr) {
        return nullptr;
    }
    const std::uintptr_t rawAddress = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t last = rawAddress + alignment + header - 1;
    auto* result = reinterpret_cast<unsigned char*>(last - last % alignment);
    // The header word may be unaligned for odd alignments.
    std::memcpy(result - header, &raw, header);
    return result;
}

void AllocatorPlatformMalloc::freeWithHeader(void* pointer) {
    if (pointer == nullptr) {
        return;
    }
    void* raw;
    std::memcpy(&raw, static_cast<unsigned char*>(pointer) - sizeof(void*), sizeof(raw));
    std::free(raw);
}

void* AllocatorPlatformMalloc::allocate(std::size_t size, std::size_t alignment) {
    allocationCount_.fetch_add(1, std::memory_order_relaxed);
    void* result = allocateWithHeader(size, alignment);
    if (result != nullptr) {
        blocksHandedOut_.fetch_add(1, std::memory_order_relaxed);
    }
    std::size_t largest = largestRequest_.load(std::memory_order_relaxed);
    while (result != nullptr && size > largest &&
           !largestRequest_.compare_exchange_weak(largest, size, std::memory_order_relaxed)) {
    }
    return result;
}

void AllocatorPlatformMalloc::deallocate(void* pointer) {
    if (pointer == nullptr) {
        return;
    }
    freeWithHeader(pointer);
    freeCount_.fetch_add(1, std::memory_order_relaxed);
}

std::size_t AllocatorPlatformMalloc::printStatus() {
    return allocationCount_.load(std::memory_order_relaxed) -
           freeCount_.load(std::memory_order_relaxed);
}

std::size_t AllocatorPlatformMalloc::getAllocatedSize(const void*) const { return 0; }
