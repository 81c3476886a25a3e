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
      peakBlocksInUse_(0) {
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

unsigned char* AllocatorBlockList::block(std::uint32_t index) const {
    return reinterpret_cast<unsigned char*>(heapBase_) +
           static_cast<std::size_t>(index) * blockSize_;
}

std::uint32_t AllocatorBlockList::nextOf(std::uint32_t index) const {
    std::uint32_t next;
    std::memcpy(&next, block(index), sizeof(next));
    return next;
}

void AllocatorBlockList::setNext(std::uint32_t index, std::uint32_t next) {
    std::memcpy(block(index), &next, sizeof(next));
}

void* AllocatorBlockList::allocate(std::size_t size, std::size_t alignment) {
    if (size > blockSize_ || alignment > blockSize_) {
        return nullptr;
    }
    if (!mutex_.lock()) {
        return nullptr;
    }
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
    }
    mutex_.unlock();
    return result;
}

void AllocatorBlockList::deallocate(void* pointer) {
    const std::uintptr_t offset = reinterpret_cast<std::uintptr_t>(pointer) - heapBase_;
    // Only block starts of this pool can be freed; anything else would corrupt the free list.
    if (blockCount_ == 0 || offset >= heapSize_ || offset % blockSize_ != 0) {
        return;
    }
    if (!mutex_.lock()) {
        return;
    }
    if (blocksInUse_ > 0) {
        const auto index = static_cast<std::uint32_t>(offset / blockSize_);
        setNext(index, freeHead_);
        freeHead_ = index;
        --blocksInUse_;
    }
    mutex_.unlock();
}

std::size_t AllocatorBlockList::printStatus() { return blockSize_ * blocksInUse_; }

std::size_t AllocatorBlockList::getAllocatedSize(const void*) const { return blockSize_; }
