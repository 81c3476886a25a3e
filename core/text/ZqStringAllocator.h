#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "core/memory/MemoryManager.h"

namespace orvo {

// Allocator of the engine strings: their storage comes from the memory manager in category 15,
// which shares the pools of plain new.
template <class T>
class ZqStringAllocator {
public:
    typedef T value_type;

    static constexpr int CATEGORY = 15;

    ZqStringAllocator() noexcept {}
    template <class U>
    ZqStringAllocator(const ZqStringAllocator<U>&) noexcept {}  // NOLINT: rebinding

    // The category's pools, else the process heap, as plain new does: the pools are shared with
    // every standard container, and a string cannot take a null block.
    T* allocate(std::size_t count) {
        void* storage = nullptr;
        if (count <= static_cast<std::size_t>(-1) / sizeof(T)) {
            storage = MemoryManager::allocatePlain(count * sizeof(T), CATEGORY);
        }
        if (storage == nullptr) {
            // The engine throws nothing: running out of the process heap ends the process.
            std::fputs("ZqStringAllocator: string memory exhausted\n", stderr);
            std::abort();
        }
        return static_cast<T*>(storage);
    }

    void deallocate(T* storage, std::size_t) noexcept { MemoryManager::deallocatePlain(storage); }

    template <class U>
    bool operator==(const ZqStringAllocator<U>&) const noexcept {
        return true;
    }
    template <class U>
    bool operator!=(const ZqStringAllocator<U>&) const noexcept {
        return false;
    }
};

}  // namespace orvo
