#pragma once

#include <cstddef>
#include <new>

// Tag that selects the category-aware allocation operators:
//   T* p = new (category, ZequinAllocation) T(...);
// These forms never throw; an exhausted category, size 0 or a category outside 0 to 16 yields
// null and the constructor is not run.
// Objects made this way are freed with a plain delete. In builds without the replaced global
// operators (sanitizer builds) these forms take their memory from the standard heap instead, so
// that the plain delete stays right; there an alignment above 16 comes from the aligned heap and
// pairs with the std::align_val_t delete.
struct ZequinAllocation_t {};
extern const ZequinAllocation_t ZequinAllocation;

// Whether objects of T made through these forms may be freed with a plain delete: for a type
// aligned beyond the default, delete picks the aligned form, which cannot free them. Templates
// that make T this way refuse such types at compile time.
template <class T>
constexpr bool plainDeleteFreesCategorised = alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__;

void* operator new(std::size_t size, int category, const ZequinAllocation_t&) noexcept;
void* operator new[](std::size_t size, int category, const ZequinAllocation_t&) noexcept;
void* operator new(std::size_t size, std::size_t alignment, int category,
                   const ZequinAllocation_t&) noexcept;
void* operator new[](std::size_t size, std::size_t alignment, int category,
                     const ZequinAllocation_t&) noexcept;
void* operator new(std::size_t size, unsigned ignored, std::size_t alignment, int category,
                   const ZequinAllocation_t&) noexcept;
void* operator new[](std::size_t size, unsigned ignored, std::size_t alignment, int category,
                     const ZequinAllocation_t&) noexcept;

// The same with a std::nothrow_t reference after the tag (these forms never throw anyway).
void* operator new(std::size_t size, int category, const ZequinAllocation_t&,
                   std::nothrow_t&) noexcept;
void* operator new[](std::size_t size, int category, const ZequinAllocation_t&,
                     std::nothrow_t&) noexcept;
void* operator new(std::size_t size, std::size_t alignment, int category, const ZequinAllocation_t&,
                   std::nothrow_t&) noexcept;
void* operator new[](std::size_t size, std::size_t alignment, int category,
                     const ZequinAllocation_t&, std::nothrow_t&) noexcept;
void* operator new(std::size_t size, unsigned ignored, std::size_t alignment, int category,
                   const ZequinAllocation_t&, std::nothrow_t&) noexcept;
void* operator new[](std::size_t size, unsigned ignored, std::size_t alignment, int category,
                     const ZequinAllocation_t&, std::nothrow_t&) noexcept;

// Matching placement deletes (called only when a constructor throws, which engine code never does).
void operator delete(void* pointer, int category, const ZequinAllocation_t&) noexcept;
void operator delete[](void* pointer, int category, const ZequinAllocation_t&) noexcept;
void operator delete(void* pointer, std::size_t alignment, int category,
                     const ZequinAllocation_t&) noexcept;
void operator delete[](void* pointer, std::size_t alignment, int category,
                       const ZequinAllocation_t&) noexcept;
void operator delete(void* pointer, unsigned ignored, std::size_t alignment, int category,
                     const ZequinAllocation_t&) noexcept;
void operator delete[](void* pointer, unsigned ignored, std::size_t alignment, int category,
                       const ZequinAllocation_t&) noexcept;
