#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "core/memory/MemoryManager.h"

namespace orvo {

// Allocator of the engine strings: their storage comes from the memory manager in its own
// category, so that string churn never fragments the pools of the other categories.
template <class T>
class ZqStringAllocator {
public:
    typedef T value_type;

    static constexpr int CATEGORY = 15;

    ZqStringAllocator() noexcept {}
    template <class U>
    ZqStringAllocator(const ZqStringAllocator<U>&) noexcept {}  // NOLINT: rebinding

    T* allocate(std::size_t count) {
        MemoryManager* manager = MemoryManager::instance();
        void* storage = nullptr;
        if (manager != nullptr && count <= static_cast<std::size_t>(-1) / sizeof(T)) {
            storage = manager->allocate(count * sizeof(T), 1, CATEGORY);
        }
        if (storage == nullptr) {
            // A standard string cannot take a null block and the engine throws nothing:
            // running out of string memory ends the process with a reason.
            std::fputs("ZqStringAllocator: string memory exhausted\n", stderr);
            std::abort();
        }
        return static_cast<T*>(storage);
    }

    void deallocate(T* storage, std::size_t) noexcept {
        MemoryManager* manager = MemoryManager::instance();
        if (storage != nullptr && manager != nullptr) {
            manager->deallocate(storage);
        }
    }

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
