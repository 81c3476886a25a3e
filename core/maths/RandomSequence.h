#pragma once

#include <cstdint>

namespace orvo {

// The engine's 15-bit generator with a state of its own: the C standard's sample one
// (next = next * 1103515245 + 12345; result = (next / 65536) % 32768, unsigned 32-bit). ZqMaths
// keeps the process-wide sequence that the game draws from; a user whose draws must not move
// that sequence (the UI's resource names) keeps its own. Meant for the main thread.
class RandomSequence {
public:
    // Bits 0x38000100: the float nearest 1/32767.
    static constexpr float UNIT_SCALE = 0x1.0002p-15f;

    // A sequence starts as if seeded with 1.
    constexpr RandomSequence() : state_(1) {}

    void seed(uint32_t value) { state_ = value; }
    // 0 to 32767.
    int next();
    // The next value scaled to 0 to 1.0 inclusive.
    float unit();

private:
    uint32_t state_;
};

}  // namespace orvo
