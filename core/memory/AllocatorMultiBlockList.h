#pragma once

#include <cstdint>

#include "core/memory/Allocator.h"

// Runs of contiguous blocks, chosen best fit. A table of 16-bit entries after the blocks holds,
// at the first block of each run, the run's length with IN_USE set for a taken run; the other
// entries of a taken run hold IN_USE alone, those of a free run 0.
class AllocatorMultiBlockList : public Allocator {
public:
    static constexpr std::uint16_t IN_USE = 0x8000;
    // Run lengths share their entry with IN_USE.
    static constexpr std::size_t MAX_BLOCKS = 0x7FFF;

    static std::size_t requiredHeapSize(std::size_t blockSize, std::size_t blockCount);

    // Counts above MAX_BLOCKS are cut to it.
    AllocatorMultiBlockList(void* heap, std::size_t blockSize, std::size_t blockCount,
                            const char* name);

    void* allocate(std::size_t size, std::size_t alignment) override;
    void deallocate(void* pointer) override;
    std::size_t printStatus() override;
    std::size_t getAllocatedSize(const void* pointer) const override;

    std::uint16_t getRunEntry(std::size_t index) const;
    std::size_t getBlocksInUse() const { return blocksInUse_; }
    std::size_t getPeakBlocksInUse() const { return peakBlocksInUse_; }
    std::size_t getLargestRequest() const { return largestRequest_; }

private:
    void setRunEntry(std::size_t index, std::uint16_t value);
    std::size_t blockIndexOf(const void* pointer) const;
    // The start of the best free run for n blocks, or blockCount_ when none fits.
    std::size_t findRun(std::size_t n) const;
    // Marks n blocks of the free run at start as taken; returns the first of them.
    std::size_t take(std::size_t start, std::size_t n);

    std::size_t blockCount_;
    std::size_t blockSize_;
    std::size_t largestRequest_;
    std::size_t blocksInUse_;
    std::size_t peakBlocksInUse_;
    unsigned char* runTable_;
};
