#include "core/time/Platform.h"

#include <unistd.h>

#include <cstring>

namespace orvo {

void Platform::sleep(unsigned int ms) {
    // usleep takes a 32-bit count of microseconds: long sleeps go in whole-second steps.
    while (ms > 1000) {
        usleep(1000000);
        ms -= 1000;
    }
    usleep(static_cast<useconds_t>(ms) * 1000u);
}

void Platform::copyMemory(const void* source, void* destination, unsigned int size, bool) {
    if (size != 0) {
        std::memmove(destination, source, size);
    }
}

void Platform::clearMemory(void* memory, unsigned int size, bool) {
    if (size != 0) {
        std::memset(memory, 0, size);
    }
}

bool Platform::compareMemory(const void* a, const void* b, unsigned int size) {
    return size == 0 || std::memcmp(a, b, size) == 0;
}

void Platform::flushMemoryFromCache(const void*, unsigned int) {}

}  // namespace orvo
