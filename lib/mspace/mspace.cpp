#include "lib/mspace/mspace.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Block layout: [head][guard][payload ...][foot]. head and foot hold the block size with IN_USE
// in bit 0; guard ties the block to its address and space, so that a pointer that is not a
// block start of this space is recognised. A free block keeps its list links in its payload.
struct Block {
    std::size_t head;
    std::uintptr_t guard;
    Block* next;
    Block* previous;
};

struct Space {
    std::uint64_t magic;
    std::uintptr_t secret;
    std::uintptr_t areaStart;
    std::uintptr_t areaEnd;
    Block* freeList;
};

constexpr std::uint64_t SPACE_MAGIC = 0x6d73706163653031ull;
constexpr std::uintptr_t GUARD_SALT = static_cast<std::uintptr_t>(0x5a17c0de9e3779b9ull);
constexpr std::size_t ALIGNMENT = 16;
constexpr std::size_t IN_USE = 1;
constexpr std::size_t HEADER = 2 * sizeof(std::size_t);
constexpr std::size_t FOOTER = sizeof(std::size_t);
constexpr std::size_t MIN_BLOCK = 48;
static_assert(sizeof(Block) + FOOTER <= MIN_BLOCK, "a free block must hold its links");
static_assert(HEADER % ALIGNMENT == 0, "payloads must keep the block alignment");

[[noreturn]] void fail(const char* what, const void* where) {
    std::fprintf(stderr, "mspace: %s at %p\n", what, where);
    std::abort();
}

std::uintptr_t roundUp(std::uintptr_t value, std::size_t multiple) {
    return (value + multiple - 1) & ~static_cast<std::uintptr_t>(multiple - 1);
}

Space* checkedSpace(mspace msp) {
    auto* space = static_cast<Space*>(msp);
    if (space == nullptr || space->magic != SPACE_MAGIC) {
        fail("not a space", msp);
    }
    return space;
}

std::size_t sizeOf(const Block* block) { return block->head & ~IN_USE; }

std::size_t* footOf(Block* block) {
    return reinterpret_cast<std::size_t*>(reinterpret_cast<unsigned char*>(block) + sizeOf(block) -
                                          FOOTER);
}

std::uintptr_t guardFor(const Space* space, const Block* block) {
    return reinterpret_cast<std::uintptr_t>(block) ^ space->secret;
}

void writeTags(Space* space, Block* block, std::size_t size, bool inUse) {
    block->head = size | (inUse ? IN_USE : 0);
    block->guard = guardFor(space, block);
    *footOf(block) = block->head;
}

// Size, placement and tags of a block that claims to belong to the space.
void checkBlock(const Space* space, Block* block) {
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::size_t size = sizeOf(block);
    if (block->guard != guardFor(space, block) || size < MIN_BLOCK || size % ALIGNMENT != 0 ||
        size > space->areaEnd - start || *footOf(block) != block->head) {
        fail("corrupted block", block);
    }
}

void checkFreeBlock(const Space* space, Block* block) {
    checkBlock(space, block);
    if ((block->head & IN_USE) != 0) {
        fail("corrupted free list", block);
    }
}

void link(Space* space, Block* block) {
    block->previous = nullptr;
    block->next = space->freeList;
    if (space->freeList != nullptr) {
        space->freeList->previous = block;
    }
    space->freeList = block;
}

void unlink(Space* space, Block* block) {
    if (block->previous != nullptr) {
        block->previous->next = block->next;
    } else {
        space->freeList = block->next;
    }
    if (block->next != nullptr) {
        block->next->previous = block->previous;
    }
}

Block* blockAt(std::uintptr_t address) { return reinterpret_cast<Block*>(address); }

// Makes a free block of [address, address + size) and lists it.
void addFree(Space* space, std::uintptr_t address, std::size_t size) {
    Block* block = blockAt(address);
    writeTags(space, block, size, false);
    link(space, block);
}

// The block size for a payload of bytes bytes; 0 when it cannot be represented.
std::size_t blockSizeFor(std::size_t bytes) {
    if (bytes > SIZE_MAX - HEADER - FOOTER - ALIGNMENT) {
        return 0;
    }
    const std::size_t size = roundUp(bytes + HEADER + FOOTER, ALIGNMENT);
    return size < MIN_BLOCK ? MIN_BLOCK : size;
}

std::size_t powerOfTwoAtLeast(std::size_t alignment) {
    std::size_t result = ALIGNMENT;
    while (result < alignment && result <= SIZE_MAX / 2) {
        result *= 2;
    }
    return result;
}

// The offset into block at which a block of need bytes whose payload is aligned can start, or
// SIZE_MAX when it does not fit. A leading gap becomes a free block, so it is 0 or a whole block.
std::size_t fitOffset(const Block* block, std::size_t alignment, std::size_t need) {
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::size_t size = sizeOf(block);
    std::uintptr_t payload = roundUp(start + HEADER, alignment);
    if (payload - HEADER != start && payload - HEADER - start < MIN_BLOCK) {
        payload = roundUp(start + MIN_BLOCK + HEADER, alignment);
    }
    const std::size_t offset = payload - HEADER - start;
    if (offset >= size || size - offset < need) {
        return SIZE_MAX;
    }
    return offset;
}

}  // namespace

extern "C" {

mspace create_mspace_with_base(void* base, size_t capacity, int) {
    const auto begin = reinterpret_cast<std::uintptr_t>(base);
    if (base == nullptr || capacity > UINTPTR_MAX - begin) {
        return nullptr;
    }
    const std::uintptr_t end = (begin + capacity) & ~static_cast<std::uintptr_t>(ALIGNMENT - 1);
    const std::uintptr_t spaceStart = roundUp(begin, alignof(Space));
    const std::uintptr_t areaStart = roundUp(spaceStart + sizeof(Space), ALIGNMENT);
    if (areaStart > end || end - areaStart < MIN_BLOCK) {
        return nullptr;
    }
    auto* space = reinterpret_cast<Space*>(spaceStart);
    space->magic = SPACE_MAGIC;
    space->secret = spaceStart ^ GUARD_SALT;
    space->areaStart = areaStart;
    space->areaEnd = end;
    space->freeList = nullptr;
    addFree(space, areaStart, end - areaStart);
    return space;
}

void* mspace_memalign(mspace msp, size_t alignment, size_t bytes) {
    Space* space = checkedSpace(msp);
    const std::size_t need = blockSizeFor(bytes);
    alignment = powerOfTwoAtLeast(alignment);
    if (need == 0 || alignment > space->areaEnd - space->areaStart) {
        errno = ENOMEM;
        return nullptr;
    }
    for (Block* block = space->freeList; block != nullptr; block = block->next) {
        checkFreeBlock(space, block);
        const std::size_t offset = fitOffset(block, alignment, need);
        if (offset == SIZE_MAX) {
            continue;
        }
        const auto start = reinterpret_cast<std::uintptr_t>(block);
        const std::size_t size = sizeOf(block);
        unlink(space, block);
        if (offset > 0) {
            addFree(space, start, offset);
        }
        const std::uintptr_t taken = start + offset;
        std::size_t takenSize = size - offset;
        if (takenSize - need >= MIN_BLOCK) {
            addFree(space, taken + need, takenSize - need);
            takenSize = need;
        }
        writeTags(space, blockAt(taken), takenSize, true);
        return reinterpret_cast<void*>(taken + HEADER);
    }
    errno = ENOMEM;
    return nullptr;
}

void mspace_free(mspace msp, void* mem) {
    Space* space = checkedSpace(msp);
    if (mem == nullptr) {
        return;
    }
    const auto address = reinterpret_cast<std::uintptr_t>(mem);
    if (address < space->areaStart + HEADER || address >= space->areaEnd ||
        (address - HEADER - space->areaStart) % ALIGNMENT != 0) {
        fail("free of a pointer outside the space", mem);
    }
    Block* block = blockAt(address - HEADER);
    if (block->guard != guardFor(space, block)) {
        fail("free of a pointer that is not a block", mem);
    }
    if ((block->head & IN_USE) == 0) {
        fail("double free", mem);
    }
    checkBlock(space, block);
    std::uintptr_t start = address - HEADER;
    std::size_t size = sizeOf(block);
    if (size < space->areaEnd - start) {
        Block* next = blockAt(start + size);
        checkBlock(space, next);
        if ((next->head & IN_USE) == 0) {
            unlink(space, next);
            size += sizeOf(next);
            next->guard = 0;
        }
    }
    if (start > space->areaStart) {
        const std::size_t previousFoot = *reinterpret_cast<const std::size_t*>(start - FOOTER);
        if ((previousFoot & IN_USE) == 0) {
            if (previousFoot > start - space->areaStart) {
                fail("corrupted block", reinterpret_cast<void*>(start - FOOTER));
            }
            Block* previous = blockAt(start - previousFoot);
            checkFreeBlock(space, previous);
            unlink(space, previous);
            block->guard = 0;
            start -= previousFoot;
            size += previousFoot;
        }
    }
    addFree(space, start, size);
}

}  // extern "C"
