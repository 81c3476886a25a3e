#include "core/file/FileMemory.h"

#include "core/memory/MemoryManager.h"

namespace orvo {

void* FileMemory::allocate(std::size_t bytes, int category) {
    MemoryManager* manager = MemoryManager::instance();
    return manager != nullptr ? manager->allocate(bytes, alignof(std::max_align_t), category)
                              : nullptr;
}

void FileMemory::release(void* block) {
    MemoryManager* manager = MemoryManager::instance();
    if (block != nullptr && manager != nullptr) {
        manager->deallocate(block);
    }
}

}  // namespace orvo
