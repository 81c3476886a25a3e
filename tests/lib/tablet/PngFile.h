// Reads a PNG file back for a test: 8-bit RGB, the top row first.
#pragma once

#include <png.h>

#include <string>

#include "lib/tablet/PngWriter.h"

inline bool readPng(const std::string& path, tablet::RgbImage& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
    png.format = PNG_FORMAT_RGB;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.resize(PNG_IMAGE_SIZE(png));
    const bool read = png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr);
    png_image_free(&png);
    return read;
}

// The pixel at column x, row y as 0xRRGGBB.
inline unsigned long pixelAt(const tablet::RgbImage& image, int x, int y) {
    const unsigned char* p = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 3;
    return (static_cast<unsigned long>(p[0]) << 16) | (p[1] << 8) | p[2];
}
