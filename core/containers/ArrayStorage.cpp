#include "core/containers/ArrayStorage.h"

#include <limits>

#include "core/memory/MemoryManager.h"

namespace orvo {

void* ArrayStorage::allocate(std::size_t count, std::size_t elementSize, int category) {
    if (elementSize != 0 && count > std::numeric_limits<std::size_t>::max() / elementSize) {
        return nullptr;
    }
    MemoryManager* manager = MemoryManager::instance();
    if (manager == nullptr) {
        return nullptr;
    }
    return manager->allocate(count * elementSize, 1, allocationCategory(category));
}

void ArrayStorage::release(void* storage) {
    MemoryManager* manager = MemoryManager::instance();
    if (storage != nullptr && manager != nullptr) {
        manager->deallocate(storage);
    }
}

}  // namespace orvo
