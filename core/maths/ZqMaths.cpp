#include "core/maths/ZqMaths.h"

namespace orvo {

namespace {

// Bits 0x38000200.
constexpr float INTERVAL_SCALE = 0x1.0004p-15f;

}  // namespace

RandomSequence ZqMaths::sequence_;

void ZqMaths::setRandomSeed(unsigned seed) {
    if (seed != 0) {
        sequence_.seed(seed);
    }
}

void ZqMaths::setUnitRandomSeed(float f) {
    if (f > 0.0f && f <= 1.0f) {
        sequence_.seed(static_cast<unsigned>(f * 32767.0f));
    }
}

int ZqMaths::draw(unsigned seed, int* out) {
    setRandomSeed(seed);
    const int r = sequence_.next();
    if (out != nullptr) {
        *out = r;
    }
    return r;
}

float ZqMaths::unitRandom(unsigned seed, int* out) {
    return static_cast<float>(draw(seed, out)) * RandomSequence::UNIT_SCALE;
}

float ZqMaths::symmetricRandom(unsigned seed, int* out) {
    const float u = unitRandom(seed, out);
    return u + u - 1.0f;
}

float ZqMaths::intervalRandom(float a, float b, unsigned seed, int* out) {
    const float r = static_cast<float>(draw(seed, out));
    return a + (b - a) * (r * INTERVAL_SCALE);
}

}  // namespace orvo
