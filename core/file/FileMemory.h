#pragma once

#include <cstddef>

namespace orvo {

// Byte blocks of file access (loaded files, read and inflate buffers) from the memory
// manager in a given category, aligned for any element type so that loaded data can be used
// where it lies. Null when the category is exhausted.
struct FileMemory {
    static void* allocate(std::size_t bytes, int category);
    static void release(void* block);
};

}  // namespace orvo
