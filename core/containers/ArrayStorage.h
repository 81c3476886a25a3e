#pragma once

#include <cstddef>

namespace orvo {

// Raw storage of the engine's containers: memory-manager blocks, alignment 1.
struct ArrayStorage {
    // Storage category words with a meaning of their own.
    static constexpr int VIEW_CATEGORY = 0x7FFFFFFF;   // not owned: never freed
    static constexpr int BLOCK_CATEGORY = 0x7FFFFFFE;  // owns a whole loaded block

    // The category new storage is taken from: special arrays allocate in the default one.
    static constexpr int allocationCategory(int category) {
        return (category == VIEW_CATEGORY || category == BLOCK_CATEGORY) ? 0 : category;
    }

    // Null when the category is exhausted or the byte count overflows.
    static void* allocate(std::size_t count, std::size_t elementSize, int category);
    static void release(void* storage);
};

}  // namespace orvo
