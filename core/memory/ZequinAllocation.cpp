#include "core/memory/ZequinAllocation.h"

#include "core/memory/MemoryManager.h"

const ZequinAllocation_t ZequinAllocation{};

namespace {

void* allocateInCategory(std::size_t size, std::size_t alignment, int category) noexcept {
#ifdef TRELLIN_REPLACE_ALLOCATORS
    orvo::MemoryManager* manager = orvo::MemoryManager::instance();
    return manager != nullptr ? manager->allocate(size, alignment, category) : nullptr;
#else
    // The standard heap, so that the plain delete of these objects stays right and the
    // sanitizers see them; the refusals match the manager's.
    if (size == 0 || category < 0 || category >= orvo::MemoryManager::NUM_CATEGORIES) {
        return nullptr;
    }
    if (alignment <= __STDCPP_DEFAULT_NEW_ALIGNMENT__) {
        return ::operator new(size, std::nothrow);
    }
    std::size_t powerOfTwo = __STDCPP_DEFAULT_NEW_ALIGNMENT__;
    while (powerOfTwo < alignment && powerOfTwo <= SIZE_MAX / 2) {
        powerOfTwo *= 2;
    }
    return ::operator new(size, std::align_val_t(powerOfTwo), std::nothrow);
#endif
}

}  // namespace

void* operator new(std::size_t size, int category, const ZequinAllocation_t&) noexcept {
    return allocateInCategory(size, 1, category);
}

void* operator new[](std::size_t size, int category, const ZequinAllocation_t&) noexcept {
    return allocateInCategory(size, 1, category);
}

void* operator new(std::size_t size, std::size_t alignment, int category,
                   const ZequinAllocation_t&) noexcept {
    return allocateInCategory(size, alignment, category);
}

void* operator new[](std::size_t size, std::size_t alignment, int category,
                     const ZequinAllocation_t&) noexcept {
    return allocateInCategory(size, alignment, category);
}

void* operator new(std::size_t size, unsigned, std::size_t alignment, int category,
                   const ZequinAllocation_t&) noexcept {
    return allocateInCategory(size, alignment, category);
}

void* operator new[](std::size_t size, unsigned, std::size_t alignment, int category,
                     const ZequinAllocation_t&) noexcept {
    return allocateInCategory(size, alignment, category);
}

void* operator new(std::size_t size, int category, const ZequinAllocation_t&,
                   std::nothrow_t&) noexcept {
    return allocateInCategory(size, 1, category);
}

void* operator new[](std::size_t size, int category, const ZequinAllocation_t&,
                     std::nothrow_t&) noexcept {
    return allocateInCategory(size, 1, category);
}

void* operator new(std::size_t size, std::size_t alignment, int category, const ZequinAllocation_t&,
                   std::nothrow_t&) noexcept {
    return allocateInCategory(size, alignment, category);
}

void* operator new[](std::size_t size, std::size_t alignment, int category,
                     const ZequinAllocation_t&, std::nothrow_t&) noexcept {
    return allocateInCategory(size, alignment, category);
}

void* operator new(std::size_t size, unsigned, std::size_t alignment, int category,
                   const ZequinAllocation_t&, std::nothrow_t&) noexcept {
    return allocateInCategory(size, alignment, category);
}

void* operator new[](std::size_t size, unsigned, std::size_t alignment, int category,
                     const ZequinAllocation_t&, std::nothrow_t&) noexcept {
    return allocateInCategory(size, alignment, category);
}

// Placement deletes free like a plain delete, which is how these objects are freed otherwise.
void operator delete(void* pointer, int, const ZequinAllocation_t&) noexcept {
    ::operator delete(pointer);
}

void operator delete[](void* pointer, int, const ZequinAllocation_t&) noexcept {
    ::operator delete[](pointer);
}

void operator delete(void* pointer, std::size_t, int, const ZequinAllocation_t&) noexcept {
    ::operator delete(pointer);
}

void operator delete[](void* pointer, std::size_t, int, const ZequinAllocation_t&) noexcept {
    ::operator delete[](pointer);
}

void operator delete(void* pointer, unsigned, std::size_t, int,
                     const ZequinAllocation_t&) noexcept {
    ::operator delete(pointer);
}

void operator delete[](void* pointer, unsigned, std::size_t, int,
                       const ZequinAllocation_t&) noexcept {
    ::operator delete[](pointer);
}
