#pragma once

#include <stddef.h>

// A small allocator over one caller-given region: boundary tags (a header and a footer on every
// block), first fit over a free list, blocks split on allocation and merged with free neighbours
// on free. No locks (one thread at a time per space), no memory mapping and no growth: a full
// space fails the request with null and errno ENOMEM. Every allocation and free checks the
// blocks it touches; a foreign or double free, or a damaged block, is reported on stderr and
// aborts the process.

#ifdef __cplusplus
extern "C" {
#endif

typedef void* mspace;

// Lays a space over [base, base + capacity). Null when the region cannot hold a space and one
// block. The lock flag is not read: spaces are never locked.
mspace create_mspace_with_base(void* base, size_t capacity, int locked);

// At least bytes bytes aligned to alignment (rounded up to a power of two, at least 16).
void* mspace_memalign(mspace msp, size_t alignment, size_t bytes);

// Returns a block of the space; null is ignored.
void mspace_free(mspace msp, void* mem);

#ifdef __cplusplus
}
#endif
