#pragma once

#include <cstdint>
#include <vector>

#include "tools/datawriter/ByteWriter.h"

namespace trellin {

struct Colour {
    float r, g, b, a;
};

inline Colour mix(Colour a, Colour b, float t) {
    return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
                  a.a + (b.a - a.a) * t};
}
inline Colour scaled(Colour c, float s) { return Colour{c.r * s, c.g * s, c.b * s, c.a}; }
inline Colour added(Colour a, Colour b) { return Colour{a.r + b.r, a.g + b.g, a.b + b.b, a.a}; }

// A floating-point picture. Row 0 is the bottom row, as GL takes the first row of an upload:
// pixel (x, y) shows texture coordinates ((x + 0.5) / width, (y + 0.5) / height).
class Image {
public:
    Image(int width, int height) : width_(width), height_(height), pixels_(width * height) {}

    int width() const { return width_; }
    int height() const { return height_; }
    Colour& at(int x, int y) { return pixels_[y * width_ + x]; }
    const Colour& at(int x, int y) const { return pixels_[y * width_ + x]; }

    // Half the size (at least 1 x 1), each pixel the mean of the ones it covers.
    Image halved() const;
    // The pixels as bytes, 4 per pixel (RGBA) or 3 (RGB), each channel clamped to [0, 1].
    Bytes bytes(bool alpha) const;

private:
    int width_;
    int height_;
    std::vector<Colour> pixels_;
};

}  // namespace trellin
