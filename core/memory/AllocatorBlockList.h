#pragma once

#include <cstdint>
#include <cstring>

#include "core/memory/Allocator.h"

// Fixed-size blocks on a singly linked free list; allocation and freeing are constant time.
// Free blocks are linked by their 32-bit block index, so blocks as small as 4 bytes can hold the
// link on a 64-bit build.
class AllocatorBlockList : public Allocator {
public:
    static std::size_t requiredHeapSize(std::size_t blockSize, std::size_t blockCount);

    // The heap must be aligned to the block size for alignments up to the block size to hold.
    AllocatorBlockList(void* heap, std::size_t blockSize, std::size_t blockCount, const char* name);

    void* allocate(std::size_t size, std::size_t alignment) override;
    void deallocate(void* pointer) override;
    std::size_t printStatus() override;
    std::size_t getAllocatedSize(const void* pointer) const override;

    std::size_t getBlockSize() const { return blockSize_; }
    std::size_t getBlockCount() const { return blockCount_; }
    std::size_t getBlocksInUse() const { return blocksInUse_; }
    std::size_t getPeakBlocksInUse() const { return peakBlocksInUse_; }
    std::size_t getLargestRequest() const { return largestRequest_; }

private:
    static constexpr std::uint32_t NO_BLOCK = 0xFFFFFFFFu;

    // Defined here so that the hot paths inline them.
    unsigned char* block(std::uint32_t index) const {
        return reinterpret_cast<unsigned char*>(heapBase_) +
               static_cast<std::size_t>(index) * blockSize_;
    }
    std::uint32_t nextOf(std::uint32_t index) const {
        std::uint32_t next;
        std::memcpy(&next, block(index), sizeof(next));
        return next;
    }
    void setNext(std::uint32_t index, std::uint32_t next) {
        std::memcpy(block(index), &next, sizeof(next));
    }
    // The block that starts at the offset into the heap; false for any other offset.
    bool blockAt(std::uintptr_t offset, std::uint32_t& index) const {
        if (blockCount_ == 0 || offset >= heapSize_) {
            return false;
        }
        if (blockShift_ >= 0) {
            index = static_cast<std::uint32_t>(offset >> blockShift_);
            return (offset & (blockSize_ - 1)) == 0;
        }
        index = static_cast<std::uint32_t>(offset / blockSize_);
        return offset % blockSize_ == 0;
    }

    std::uint32_t freeHead_;
    std::size_t blockCount_;
    std::size_t blockSize_;
    std::size_t largestRequest_;
    std::size_t blocksInUse_;
    std::size_t peakBlocksInUse_;
    // log2 of a power-of-two block size, which spares the free a division; else -1.
    int blockShift_;
};
