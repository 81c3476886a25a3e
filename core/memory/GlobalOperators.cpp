// The program's plain allocation operators, linked only into executables. The const
// std::nothrow_t forms are left to the standard library (it calls the plain form below) and the
// std::align_val_t forms use its own aligned heap.
#include <cstdio>
#include <cstdlib>
#include <new>

#include "core/memory/MemoryManager.h"

namespace {

// Plain new must not return null (the standard library and other libraries rely on it) and the
// engine throws nothing, so exhaustion of the process heap itself ends the process.
void* allocateOrDie(std::size_t size) {
    void* result = orvo::MemoryManager::allocatePlain(size);
    if (result == nullptr) {
        std::fputs("out of memory\n", stderr);
        std::abort();
    }
    return result;
}

}  // namespace

void orvo::MemoryManager::linkCoreOperatorsIntoTheExecutable() {}

void* operator new(std::size_t size) { return allocateOrDie(size); }

void* operator new[](std::size_t size) { return allocateOrDie(size); }

void operator delete(void* pointer) noexcept { orvo::MemoryManager::deallocatePlain(pointer); }

void operator delete[](void* pointer) noexcept { orvo::MemoryManager::deallocatePlain(pointer); }

void operator delete(void* pointer, std::size_t) noexcept {
    orvo::MemoryManager::deallocatePlain(pointer);
}

void operator delete[](void* pointer, std::size_t) noexcept {
    orvo::MemoryManager::deallocatePlain(pointer);
}
