#pragma once

namespace orvo {

// Static memory and sleep helpers of the platform, all on the calling thread. The flags of the
// memory helpers have no effect on this platform.
class Platform {
public:
    // Suspends the calling thread for ms milliseconds.
    static void sleep(unsigned int ms);

    // The source comes first.
    static void copyMemory(const void* source, void* destination, unsigned int size, bool flag);
    static void clearMemory(void* memory, unsigned int size, bool flag);
    // True when the two ranges are byte-for-byte equal.
    static bool compareMemory(const void* a, const void* b, unsigned int size);
    static void flushMemoryFromCache(const void* memory, unsigned int size);
};

}  // namespace orvo
