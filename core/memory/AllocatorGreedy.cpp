#include "core/memory/AllocatorGreedy.h"

namespace {

// Rounds up to any multiple (not only powers of two); false when the result would wrap.
bool roundUp(std::uintptr_t value, std::size_t multiple, std::uintptr_t& result) {
    const std::uintptr_t remainder = value % multiple;
    if (remainder == 0) {
        result = value;
        return true;
    }
    const std::uintptr_t step = multiple - remainder;
    if (value > UINTPTR_MAX - step) {
        return false;
    }
    result = value + step;
    return true;
}

}  // namespace

std::size_t AllocatorGreedy::requiredHeapSize(std::size_t heapSize, std::size_t) {
    return heapSize;
}

AllocatorGreedy::AllocatorGreedy(void* heap, std::size_t heapSize, std::size_t granularity,
                                 const char* name)
    : Allocator(heap, heapSize, name), granularity_(granularity == 0 ? 1 : granularity) {
    clear();
}

void AllocatorGreedy::clear() {
    cursor_ = heapBase_;
    bytesRemaining_ = heapSize_;
    bytesHandedOut_ = 0;
    largestRequest_ = 0;
    allocationCount_ = 0;
    freeCount_ = 0;
}

void* AllocatorGreedy::allocate(std::size_t size, std::size_t alignment) {
    lock_.lock();
    const std::uintptr_t end = heapBase_ + heapSize_;
    std::uintptr_t start = 0;
    std::uintptr_t next = 0;
    void* result = nullptr;
    if (roundUp(cursor_, alignment == 0 ? 1 : alignment, start) && start <= end &&
        size <= end - start) {
        // The cursor may stop short of the end when the granularity does not divide the heap.
        if (!roundUp(start + size, granularity_, next) || next > end) {
            next = end;
        }
        if (size > largestRequest_) {
            largestRequest_ = size;
        }
        cursor_ = next;
        bytesHandedOut_ += size;
        bytesRemaining_ -= size;
        ++allocationCount_;
        countBlockHandedOut();
        result = reinterpret_cast<void*>(start);
    }
    lock_.unlock();
    return result;
}

void AllocatorGreedy::deallocate(void*) {
    lock_.lock();
    // A free with nothing live would keep the counts from ever meeting again.
    if (freeCount_ < allocationCount_) {
        ++freeCount_;
        if (freeCount_ == allocationCount_) {
            clear();
        }
    }
    lock_.unlock();
}

std::size_t AllocatorGreedy::printStatus() { return bytesHandedOut_; }

std::size_t AllocatorGreedy::getAllocatedSize(const void*) const { return 0; }
