#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

// Storage from the C library's heap, for what a soak keeps of its own: outside the memory
// manager, it does not show in the manager's figures.
template <class T>
struct SystemHeapAllocator {
    using value_type = T;
    SystemHeapAllocator() = default;
    template <class U>
    SystemHeapAllocator(const SystemHeapAllocator<U>&) {}
    T* allocate(std::size_t count) {
        void* storage = std::malloc(count * sizeof(T));
        if (storage == nullptr) {
            throw std::bad_alloc();
        }
        return static_cast<T*>(storage);
    }
    void deallocate(T* storage, std::size_t) { std::free(storage); }
    bool operator==(const SystemHeapAllocator&) const { return true; }
    bool operator!=(const SystemHeapAllocator&) const { return false; }
};
