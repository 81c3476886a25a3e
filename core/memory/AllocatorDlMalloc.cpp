#include "core/memory/AllocatorDlMalloc.h"

std::size_t AllocatorDlMalloc::requiredHeapSize(std::size_t heapSize, std::size_t) {
    return heapSize;
}

AllocatorDlMalloc::AllocatorDlMalloc(void* heap, std::size_t heapSize, std::size_t,
                                     const char* name)
    : Allocator(heap, heapSize, name), liveAllocations_(0), space_(nullptr) {
    clear();
}

void AllocatorDlMalloc::clear() {
    liveAllocations_ = 0;
    space_ = create_mspace_with_base(reinterpret_cast<void*>(heapBase_), heapSize_, 0);
}

void* AllocatorDlMalloc::allocate(std::size_t size, std::size_t alignment) {
    // A slice too small for a space refuses everything.
    if (space_ == nullptr) {
        return nullptr;
    }
    void* result = mspace_memalign(space_, alignment, size);
    if (result != nullptr) {
        ++liveAllocations_;
        countBlockHandedOut();
    }
    return result;
}

void AllocatorDlMalloc::deallocate(void* pointer) {
    if (space_ == nullptr || pointer == nullptr) {
        return;
    }
    mspace_free(space_, pointer);
    --liveAllocations_;
}

std::size_t AllocatorDlMalloc::printStatus() { return liveAllocations_; }

std::size_t AllocatorDlMalloc::getAllocatedSize(const void*) const { return 0; }
