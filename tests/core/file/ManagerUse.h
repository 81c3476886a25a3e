#pragma once

#include <cstddef>

#include "core/memory/Allocator.h"
#include "core/memory/MemoryManager.h"

namespace trellin_test {

// The memory manager's use figures summed over its allocators, taken at construction: a
// scenario that frees all it took leaves them unchanged. The sanitizers cannot see blocks
// inside the manager's pools, so leaks of those are found this way.
class ManagerUse {
public:
    ManagerUse() : before_(now()) {}
    bool unchanged() const { return now() == before_; }

    static std::size_t now() {
        std::size_t sum = 0;
        orvo::MemoryManager* manager = orvo::MemoryManager::instance();
        for (int i = 0; manager != nullptr && i < orvo::MemoryManager::NUM_ALLOCATORS; ++i) {
            sum += manager->getAllocator(i)->printStatus();
        }
        return sum;
    }

private:
    std::size_t before_;
};

}  // namespace trellin_test
