#include "tools/data/Image.h"

#include <algorithm>
#include <cmath>

namespace trellin {

namespace {

uint8_t channelByte(float value) {
    return static_cast<uint8_t>(std::lround(std::min(std::max(value, 0.0f), 1.0f) * 255.0f));
}

}  // namespace

Image Image::halved() const {
    Image out(std::max(width_ / 2, 1), std::max(height_ / 2, 1));
    const int sx = width_ / out.width_, sy = height_ / out.height_;
    const float weight = 1.0f / float(sx * sy);
    for (int y = 0; y < out.height_; ++y) {
        for (int x = 0; x < out.width_; ++x) {
            Colour sum{0, 0, 0, 0};
            for (int j = 0; j < sy; ++j) {
                for (int i = 0; i < sx; ++i) {
                    const Colour& c = at(x * sx + i, y * sy + j);
                    sum = Colour{sum.r + c.r, sum.g + c.g, sum.b + c.b, sum.a + c.a};
                }
            }
            out.at(x, y) = Colour{sum.r * weight, sum.g * weight, sum.b * weight, sum.a * weight};
        }
    }
    return out;
}

Bytes Image::bytes(bool alpha) const {
    Bytes out;
    out.reserve(pixels_.size() * (alpha ? 4 : 3));
    for (const Colour& c : pixels_) {
        out.push_back(channelByte(c.r));
        out.push_back(channelByte(c.g));
        out.push_back(channelByte(c.b));
        if (alpha) {
            out.push_back(channelByte(c.a));
        }
    }
    return out;
}

}  // namespace trellin
