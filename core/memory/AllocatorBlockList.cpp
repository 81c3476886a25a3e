#include "core/memory/AllocatorBlockList.h"

#include <cstring>

namespace {

// A block holds the 32-bit index of the next free block; smaller blocks or more blocks than an
// index can number make an empty pool rather than a corrupt one.
std::size_t usableBlockCount(std::size_t blockSize, std::size_t blockCount) {
    if (blockSize < sizeof(std::uint32_t) || blockCount >= 0xFFFFFFFFu) {
        return 0;
    }
    return blockCount;
}

int shiftOf(std::size_t blockSize) {
    if (blockSize == 0 || (blockSize & (blockSize - 1)) != 0) {
        return -1;
    }
    return __builtin_ctzll(blockSize);
}

}  // namespace

std::size_t AllocatorBlockList::requiredHeapSize(std::size_t blockSize, std::size_t blockCount) {
    return blockSize * blockCount;
}

AllocatorBlockList::AllocatorBlockList(void* heap, std::size_t blockSize, std::size_t blockCount,
                                       const char* name)
    : Allocator(heap, requiredHeapSize(blockSize, blockCount), name),
      freeHead_(NO_BLOCK),
      blockCount_(usableBlockCount(blockSize, blockCount)),
      blockSize_(blockSize),
      largestRequest_(0),
      blocksInUse_(0),
      peakBlocksInUse_(0),
      blockShift_(shiftOf(blockSize)) {
    limitRequests(blockSize, blockSize);
    if (blockCount_ == 0) {
        return;
    }
    const auto last = static_cast<std::uint32_t>(blockCount_ - 1);
    for (std::uint32_t index = 0; index < last; ++index) {
        setNext(index, index + 1);
    }
    setNext(last, NO_BLOCK);
    freeHead_ = 0;
}

void* AllocatorBlockList::allocate(std::size_t size, std::size_t alignment) {
    if (!mayServe(size, alignment)) {
        return nullptr;
    }
    lock_.lock();
    void* result = nullptr;
    if (blocksInUse_ < blockCount_ && freeHead_ != NO_BLOCK) {
        ++blocksInUse_;
        if (blocksInUse_ > peakBlocksInUse_) {
            peakBlocksInUse_ = blocksInUse_;
        }
        if (size > largestRequest_) {
            largestRequest_ = size;
        }
        result = block(freeHead_);
        freeHead_ = nextOf(freeHead_);
        countBlockHandedOut();
    }
    lock_.unlock();
    return result;
}

void AllocatorBlockList::deallocate(void* pointer) {
    // Only block starts of this pool can be freed; anything else would corrupt the free list.
    std::uint32_t index = 0;
    if (!blockAt(reinterpret_cast<std::uintptr_t>(pointer) - heapBase_, index)) {
        return;
    }
    lock_.lock();
    if (blocksInUse_ > 0) {
        setNext(index, freeHead_);
        freeHead_ = index;
        --blocksInUse_;
    }
    lock_.unlock();
}

std::size_t AllocatorBlockList::printStatus() { return blockSize_ * blocksInUse_; }

std::size_t AllocatorBlockList::getAllocatedSize(const void*) const { return blockSize_; }
