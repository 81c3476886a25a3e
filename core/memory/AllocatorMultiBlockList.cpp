#include "core/memory/AllocatorMultiBlockList.h"

#include <cstring>

namespace {

std::size_t clampedCount(std::size_t blockSize, std::size_t blockCount) {
    if (blockSize == 0) {
        return 0;
    }
    return blockCount < AllocatorMultiBlockList::MAX_BLOCKS ? blockCount
                                                            : AllocatorMultiBlockList::MAX_BLOCKS;
}

}  // namespace

std::size_t AllocatorMultiBlockList::requiredHeapSize(std::size_t blockSize,
                                                      std::size_t blockCount) {
    return blockCount * (blockSize + sizeof(std::uint16_t));
}

AllocatorMultiBlockList::AllocatorMultiBlockList(void* heap, std::size_t blockSize,
                                                 std::size_t blockCount, const char* name)
    : Allocator(heap, requiredHeapSize(blockSize, clampedCount(blockSize, blockCount)), name),
      blockCount_(clampedCount(blockSize, blockCount)),
      blockSize_(blockSize),
      largestRequest_(0),
      blocksInUse_(0),
      peakBlocksInUse_(0),
      runTable_(static_cast<unsigned char*>(heap) + blockCount_ * blockSize) {
    limitRequests(blockCount_ * blockSize_, blockSize_);
    if (blockCount_ == 0) {
        return;
    }
    std::memset(runTable_, 0, blockCount_ * sizeof(std::uint16_t));
    setRunEntry(0, static_cast<std::uint16_t>(blockCount_));
}

// The table may lie at any byte offset (odd block sizes), hence the byte copies.
std::uint16_t AllocatorMultiBlockList::getRunEntry(std::size_t index) const {
    std::uint16_t entry;
    std::memcpy(&entry, runTable_ + index * sizeof(entry), sizeof(entry));
    return entry;
}

void AllocatorMultiBlockList::setRunEntry(std::size_t index, std::uint16_t value) {
    std::memcpy(runTable_ + index * sizeof(value), &value, sizeof(value));
}

std::size_t AllocatorMultiBlockList::blockIndexOf(const void* pointer) const {
    return (reinterpret_cast<std::uintptr_t>(pointer) - heapBase_) / blockSize_;
}

std::size_t AllocatorMultiBlockList::findRun(std::size_t n) const {
    std::size_t best = blockCount_;
    std::size_t bestLength = 0;
    std::size_t index = 0;
    while (index < blockCount_) {
        const std::uint16_t entry = getRunEntry(index);
        const std::size_t length = entry & MAX_BLOCKS;
        if (length == 0) {
            return blockCount_;
        }
        if ((entry & IN_USE) == 0) {
            if (length == n) {
                return index;
            }
            if (length > n && (bestLength == 0 || length < bestLength)) {
                best = index;
                bestLength = length;
            }
        }
        index += length;
    }
    return best;
}

std::size_t AllocatorMultiBlockList::take(std::size_t start, std::size_t n) {
    const std::size_t length = getRunEntry(start) & MAX_BLOCKS;
    std::size_t first = start;
    if (length != n) {
        // Requests near the upper half of the pool are placed at the end of their run, so that
        // runs grow in from both ends.
        const auto half = static_cast<long long>(blockCount_ / 2);
        const auto s = static_cast<long long>(start);
        const auto count = static_cast<long long>(n);
        if (half - s < s + count - half) {
            setRunEntry(start, static_cast<std::uint16_t>(length - n));
            first = start + length - n;
        } else {
            setRunEntry(start + n, static_cast<std::uint16_t>(length - n));
        }
    }
    setRunEntry(first, static_cast<std::uint16_t>(n | IN_USE));
    for (std::size_t index = first + 1; index < first + n; ++index) {
        setRunEntry(index, IN_USE);
    }
    return first;
}

void* AllocatorMultiBlockList::allocate(std::size_t size, std::size_t alignment) {
    if (!mayServe(size, alignment) || size == 0 || blockCount_ == 0) {
        return nullptr;
    }
    const std::size_t n = size / blockSize_ + (size % blockSize_ != 0 ? 1 : 0);
    lock_.lock();
    void* result = nullptr;
    if (blocksInUse_ < blockCount_ && n <= blockCount_ - blocksInUse_) {
        const std::size_t start = findRun(n);
        if (start < blockCount_) {
            const std::size_t first = take(start, n);
            blocksInUse_ += n;
            if (blocksInUse_ > peakBlocksInUse_) {
                peakBlocksInUse_ = blocksInUse_;
            }
            if (size > largestRequest_) {
                largestRequest_ = size;
            }
            result = reinterpret_cast<unsigned char*>(heapBase_) + first * blockSize_;
            countBlockHandedOut();
        }
    }
    lock_.unlock();
    return result;
}

void AllocatorMultiBlockList::deallocate(void* pointer) {
    const std::uintptr_t offset = reinterpret_cast<std::uintptr_t>(pointer) - heapBase_;
    if (blockCount_ == 0 || offset >= blockCount_ * blockSize_ || offset % blockSize_ != 0) {
        return;
    }
    lock_.lock();
    const std::size_t i = blockIndexOf(pointer);
    const std::uint16_t entry = getRunEntry(i);
    const std::size_t n = entry & MAX_BLOCKS;
    // Only the first block of a taken run can be freed; anything else would corrupt the table.
    if ((entry & IN_USE) != 0 && n != 0) {
        setRunEntry(i, static_cast<std::uint16_t>(n));
        if (i + n < blockCount_ && (getRunEntry(i + n) & IN_USE) == 0) {
            setRunEntry(i, static_cast<std::uint16_t>(getRunEntry(i) + getRunEntry(i + n)));
            setRunEntry(i + n, 0);
        }
        if (i > 0 && (getRunEntry(i - 1) & IN_USE) == 0) {
            std::size_t runStart = i - 1;
            while (runStart > 0 && getRunEntry(runStart) == 0) {
                --runStart;
            }
            setRunEntry(runStart,
                        static_cast<std::uint16_t>(getRunEntry(runStart) + getRunEntry(i)));
            setRunEntry(i, 0);
        }
        for (std::size_t index = i + 1; index < i + n; ++index) {
            setRunEntry(index, 0);
        }
        blocksInUse_ -= n;
    }
    lock_.unlock();
}

std::size_t AllocatorMultiBlockList::printStatus() { return blockSize_ * blocksInUse_; }

std::size_t AllocatorMultiBlockList::getAllocatedSize(const void* pointer) const {
    const std::uintptr_t offset = reinterpret_cast<std::uintptr_t>(pointer) - heapBase_;
    if (blockCount_ == 0 || offset >= blockCount_ * blockSize_) {
        return 0;
    }
    return blockSize_ * (getRunEntry(blockIndexOf(pointer)) & MAX_BLOCKS);
}
