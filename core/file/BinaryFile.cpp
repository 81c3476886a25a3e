#include "core/file/BinaryFile.h"

#include <cstring>

namespace orvo {

uint32_t BinaryFile::read(void* buffer, uint32_t elementSize, uint32_t count) {
    if (elementSize == 0 && count == 0) {
        error_ = ERROR_ZERO_READ;
        return 0;
    }
    if (elementSize == 0 || count == 0) {
        error_ = ERROR_SHORT_READ;
        return 0;
    }
    const uint64_t bytes = uint64_t(elementSize) * count;
    return readBytes(buffer, bytes > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(bytes));
}

uint32_t BinaryFile::readBytes(void* buffer, uint32_t n) {
    if (state_ == STATE_CLOSED) {
        error_ = ERROR_NOT_OPEN;
        return 0;
    }
    if (buffer == nullptr || n == 0) {
        return 0;
    }
    if (writing_) {
        error_ = ERROR_READ_ON_WRITE;
        return 0;
    }
    if (end_ || position_ > size_) {
        return 0;
    }
    const uint32_t left = size_ - position_;
    if (n > left) {
        end_ = true;
        n = left;
    }
    uint32_t got = n;
    if (state_ == STATE_MEMORY) {
        std::memcpy(buffer, memory_ + position_, n);
    } else {
        got = n == 0 ? 0 : rawRead(buffer, n);
        if (got == 0) {
            error_ = ERROR_SHORT_READ;
            return 0;
        }
        // A raw read that stops early is short: the caller learns how many bytes came.
        if (got < n) {
            error_ = ERROR_SHORT_READ;
        }
    }
    position_ += got;
    return got;
}

bool BinaryFile::write(const void* buffer, uint32_t n) {
    if (!checkCanWrite()) {
        return false;
    }
    if (!rawWrite(buffer, n)) {
        error_ = ERROR_WRITE_FAILED;
        return false;
    }
    position_ += n;
    if (position_ > size_) {
        size_ = position_;
    }
    return true;
}

}  // namespace orvo
