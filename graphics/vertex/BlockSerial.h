#pragma once

#include <cstdint>

namespace orvo {

// A number that no other geometry block of the process has had. The renderer caches GL
// buffers by the addresses of the blocks it draws; a block made later at a freed block's
// address has another serial, so the old buffers are never drawn for it. Copies and
// assignments make a new block, so they take a new serial.
class BlockSerial {
public:
    BlockSerial() : value_(next()) {}
    BlockSerial(const BlockSerial&) : value_(next()) {}
    BlockSerial& operator=(const BlockSerial&) {
        value_ = next();
        return *this;
    }

    uint64_t value() const { return value_; }

private:
    static uint64_t next();

    uint64_t value_;
};

}  // namespace orvo
