#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>

#include "core/maths/RandomSequence.h"

namespace orvo {

// Maths constants, single-precision wrappers and the engine's random helpers.
//
// Random numbers: the helpers' scales assume a generator that returns 0 to 32767 (1/32767 maps
// the top value to 1.0). This C library's rand() returns up to 2^31-1, which would break those
// scales and, with them, the track population, the sound variations and the curvature targets.
// So the engine owns its generator: one process-wide 15-bit sequence (RandomSequence), seeded
// only through these helpers. No engine code calls the C library's rand or srand. Like
// the generator it replaces, it is meant for the main thread.
class ZqMaths {
public:
    static constexpr float ZERO_TOLERANCE = 1e-6f;  // bits 0x358637BD
    static constexpr float ZERO_TOLERANCE_SQUARED = 1e-12f;
    static constexpr float PI = 3.14159265358979323846f;  // = 4 x atan(1) in single precision
    static constexpr float TWO_PI = PI + PI;
    static constexpr float HALF_PI = PI * 0.5f;
    static constexpr float INVERSE_PI = 1.0f / PI;
    static constexpr float INVERSE_TWO_PI = 1.0f / TWO_PI;
    static constexpr float DEGREES_TO_RADIANS = PI / 180.0f;
    static constexpr float RADIANS_TO_DEGREES = 180.0f / PI;
    static constexpr float LN_10 = 2.30258509299404568402f;  // = logf(10)
    static constexpr float INVERSE_LN_10 = 1.0f / LN_10;
    static constexpr float EPSILON = FLT_EPSILON;
    static constexpr float MAX_REAL = FLT_MAX;

    static float sqrt(float x) { return std::sqrt(x); }
    static float inverseSqrt(float x) { return 1.0f / std::sqrt(x); }
    static float pow(float x, float y) { return std::pow(x, y); }
    static float log(float x) { return std::log(x); }
    static float log10(float x) { return INVERSE_LN_10 * std::log(x); }
    static float abs(float x) { return std::fabs(x); }
    static float exp(float x) { return std::exp(x); }
    static float floor(float x) { return std::floor(x); }
    static float ceiling(float x) { return std::ceil(x); }
    static float aTan2(float y, float x) { return std::atan2(y, x); }
    static float aTan(float x) { return std::atan(x); }
    static float aCos(float x) { return std::acos(x); }
    static float aSin(float x) { return std::asin(x); }
    static float tan(float x) { return std::tan(x); }
    static float cos(float x) { return std::cos(x); }
    static float sin(float x) { return std::sin(x); }

    // Seeds the generator unless seed is 0.
    static void setRandomSeed(unsigned seed);
    // Seeds with f x 32767 (truncated) when 0 < f <= 1; otherwise does nothing.
    static void setUnitRandomSeed(float f);

    // Each helper first seeds with a non-zero seed, draws one value r (stored in *out when out
    // is given) and scales it.
    // 0 to 1.0 inclusive: r x (the float nearest 1/32767).
    static float unitRandom(unsigned seed = 0, int* out = nullptr);
    // -1 to 1 inclusive.
    static float symmetricRandom(unsigned seed = 0, int* out = nullptr);
    // a + (b - a) x r x (the float nearest 1/32766): r = 32766 gives b, r = 32767 slightly more.
    static float intervalRandom(float a, float b, unsigned seed = 0, int* out = nullptr);

private:
    // Seeds with a non-zero seed, draws the next value and stores it in *out when out is given.
    static int draw(unsigned seed, int* out);

    static RandomSequence sequence_;
};

}  // namespace orvo
