#include "core/maths/ZqMaths.h"

namespace orvo {

namespace {

// Bits 0x38000100 and 0x38000200.
constexpr float UNIT_SCALE = 0x1.0002p-15f;
constexpr float INTERVAL_SCALE = 0x1.0004p-15f;

}  // namespace

// The sample generator starts as if seeded with 1.
uint32_t ZqMaths::randomState_ = 1;

void ZqMaths::setRandomSeed(unsigned seed) {
    if (seed != 0) {
        randomState_ = seed;
    }
}

void ZqMaths::setUnitRandomSeed(float f) {
    if (f > 0.0f && f <= 1.0f) {
        randomState_ = static_cast<unsigned>(f * 32767.0f);
    }
}

int ZqMaths::draw(unsigned seed, int* out) {
    setRandomSeed(seed);
    randomState_ = randomState_ * 1103515245u + 12345u;
    const int r = static_cast<int>((randomState_ / 65536u) % 32768u);
    if (out != nullptr) {
        *out = r;
    }
    return r;
}

float ZqMaths::unitRandom(unsigned seed, int* out) {
    return static_cast<float>(draw(seed, out)) * UNIT_SCALE;
}

float ZqMaths::symmetricRandom(unsigned seed, int* out) {
    const float u = static_cast<float>(draw(seed, out)) * UNIT_SCALE;
    return u + u - 1.0f;
}

float ZqMaths::intervalRandom(float a, float b, unsigned seed, int* out) {
    const float r = static_cast<float>(draw(seed, out));
    return a + (b - a) * (r * INTERVAL_SCALE);
}

}  // namespace orvo
