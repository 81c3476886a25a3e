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
// pairs with the std::align_val_t delete. Types declared with an alignment above 16 are not made
// with these forms: their delete goes to the standard library's aligned form.
struct ZequinAllocation_t {};
extern const ZequinAllocation_t ZequinAllocation;

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
