#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/memory/MemoryManager.h"
#include "tools/soak/SystemHeapAllocator.h"

// What the running game holds at one moment: the memory manager's use per category, the
// process-heap blocks it passed on, the live GL objects of the current context, the live
// OpenAL sources and buffers of the current context, and the documents of the UI context.
struct ResourceSample {
    long frame = 0;
    int run = 0;
    // Categories 1 and 15 share their allocators, so both show their sum.
    std::size_t categoryBytes[orvo::MemoryManager::NUM_CATEGORIES] = {};
    std::size_t heapBlocks = 0;   // live blocks of the manager's process-heap allocator
    std::size_t mallocBytes = 0;  // the C library's heap in use (Tcl, libRocket, FreeType, Mesa)
    int textures = 0;
    int buffers = 0;
    int programs = 0;
    int shaders = 0;
    int framebuffers = 0;
    int renderbuffers = 0;
    int sources = 0;
    int soundBuffers = 0;
    int documents = 0;

    static ResourceSample take(long frame, int run);

    // The figures in a fixed order (memory per category, heap blocks, C heap, GL objects,
    // sound sources and buffers, documents), under their names.
    static std::vector<std::string> names();
    std::vector<long long> figures() const;
    static std::string header();
    std::string row() const;
};

// Kept outside the memory manager, so that keeping them does not show in its figures.
using ResourceSamples = std::vector<ResourceSample, SystemHeapAllocator<ResourceSample>>;

// The lowest and highest value of each figure over the samples [begin, end), begin < end.
struct FigureRange {
    std::vector<long long> lowest;
    std::vector<long long> highest;
};
FigureRange figureRange(const ResourceSamples& samples, std::size_t begin, std::size_t end);

// The figures that grew over a soak, from samples taken at the same point of each run (as its
// restart page opens): those whose lowest value over the last quarter of the runs is above
// their highest over the first quarter. The C heap (Mesa, the sound library) and the sound
// sources (the pool makes its 32 as they are first needed) are left out.
std::vector<std::string> grownFigures(const ResourceSamples& samples);
