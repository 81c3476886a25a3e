#pragma once

#include <cstdint>

#include "core/containers/Array.h"
#include "core/text/ZqString.h"

namespace orvo {

// An image file read for the UI: TGA or PNG by the name's extension, as 8-bit RGB (format 2) or
// RGBA (format 1) pixels with the top row first. Grey images become RGB, grey with alpha RGBA.
class RocketImage {
public:
    // False for another extension or a file that does not decode.
    bool load(const ZqString& source);

    uint32_t getWidth() const { return width_; }
    uint32_t getHeight() const { return height_; }
    uint32_t getFormat() const { return format_; }
    const Array<unsigned char>& getPixels() const { return pixels_; }

private:
    bool loadTga(const ZqString& source);
    bool loadPng(const ZqString& source);

    uint32_t width_ = 0;
    uint32_t height_ = 0;
    uint32_t format_ = 0;
    Array<unsigned char> pixels_;
};

}  // namespace orvo
