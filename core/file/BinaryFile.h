#pragma once

#include <cstdint>

#include "platform/playbook/FileBasePlaybook.h"

namespace orvo {

// A file read and written in blocks of bytes.
class BinaryFile : public FileBasePlaybook {
public:
    // Reads elementSize x count bytes; returns the bytes read. Fewer than asked for means the
    // end was reached (end flag) or the read was short (error 9).
    uint32_t read(void* buffer, uint32_t elementSize, uint32_t count);
    bool write(const void* buffer, uint32_t n);

private:
    uint32_t readBytes(void* buffer, uint32_t n);
};

}  // namespace orvo
