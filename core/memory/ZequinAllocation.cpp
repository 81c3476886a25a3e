#include "core/memory/ZequinAllocation.h"

#include "core/memory/MemoryManager.h"

const ZequinAllocation_t ZequinAllocation{};

namespace {

// `array` says which standard form a sanitizer build must pair with the later delete or delete[].
void* allocateInCategory(std::size_t size, std::size_t alignment, int category,
                         bool array = false) noexcept {
#ifdef TRELLIN_REPLACE_ALLOCATORS
    (void)array;
    orvo::MemoryManager* manager = orvo::MemoryManager::instance();
    return manager != nullptr ? manager->allocate(size, alignment, category) : nullptr;
#else
    // The standard heap, so that the plain delete of these objects stays right and the
    // sanitizers see them; the refusals match the manager's.
    if (size == 0 || category < 0 || category >= orvo::MemoryManager::NUM_CATEGORIES) {
        return nullptr;
    }
    if (alignment <= __STDCPP_DEFAULT_NEW_ALIGNMENT__) {
        return array ? ::operator new[](size, std::nothrow) : ::operator new(size, std::nothrow);
    }
    std::size_t powerOfTwo = __STDCPP_DEFAULT_NEW_ALIGNMENT__;
    while (powerOfTwo < alignment && powerOfTwo <= SIZE_MAX / 2) {
        powerOfTwo *= 2;
    }
    const std::align_val_t aligned = static_cast<std::align_val_t>(powerOfTwo);
    return array ? ::operator new[](size, aligned, std::nothrow)
                 : ::operator new(size, aligned, std::nothrow);
#endif
}

}  // namespace

void* operator new(std::size_t size, int category, const ZequinAllocation_t&) noexcept {
    return allocateInCategory(size, 1, category);
}

void* operator new[](std::size_t size, int category, const ZequinAllocation_t&) noexcept {
    return allocateInCategory(size, 1, category, true);
}

void* operator new(std::size_t size, std::size_t alignment, int category,
                   const ZequinAllocation_t&) noexcept {
    return allocateInCategory(size, alignment, category);
}

void* operator new[](std::size_t size, std::size_t alignment, int category,
                     const ZequinAllocation_t&) noexcept {
    return allocateInCategory(size, alignment, category, true);
}

void* operator new(std::size_t size, unsigned, std::size_t alignment, int category,
                   const ZequinAllocation_t&) noexcept {
    return allocateInCategory(size, alignment, category);
}

void* operator new[](std::size_t size, unsigned, std::size_t alignment, int category,
                     const ZequinAllocation_t&) noexcept {
    return allocateInCategory(size, alignment, category, true);
}

void* operator new(std::size_t size, int category, const ZequinAllocation_t&,
                   std::nothrow_t&) noexcept {
    return allocateInCategory(size, 1, category);
}

void* operator new[](std::size_t size, int category, const ZequinAllocation_t&,
                     std::nothrow_t&) noexcept {
    return allocateInCategory(size, 1, category, true);
}

void* operator new(std::size_t size, std::size_t alignment, int category, const ZequinAllocation_t&,
                   std::nothrow_t&) noexcept {
    return allocateInCategory(size, alignment, category);
}

void* operator new[](std::size_t size, std::size_t alignment, int category,
                     const ZequinAllocation_t&, std::nothrow_t&) noexcept {
    return allocateInCategory(size, alignment, category, true);
}

void* operator new(std::size_t size, unsigned, std::size_t alignment, int category,
                   const ZequinAllocation_t&, std::nothrow_t&) noexcept {
    return allocateInCategory(size, alignment, category);
}

void* operator new[](std::size_t size, unsigned, std::size_t alignment, int category,
                     const ZequinAllocation_t&, std::nothrow_t&) noexcept {
    return allocateInCategory(size, alignment, category, true);
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
