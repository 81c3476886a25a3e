#pragma once

#include <cstdint>

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

    unsigned char* block(std::uint32_t index) const;
    std::uint32_t nextOf(std::uint32_t index) const;
    void setNext(std::uint32_t index, std::uint32_t next);

    std::uint32_t freeHead_;
    std::size_t blockCount_;
    std::size_t blockSize_;
    std::size_t largestRequest_;
    std::size_t blocksInUse_;
    std::size_t peakBlocksInUse_;
};
