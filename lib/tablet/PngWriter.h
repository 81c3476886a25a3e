// Writes an image as a PNG file that appears whole or not at all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tablet {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // 8-bit red, green, blue; the top row first
};

class PngWriter {
public:
    // Writes under a temporary name in the same folder and renames it to path once complete,
    // so a reader never sees a partial file. false with error set when it cannot.
    static bool write(const std::string& path, const RgbImage& image, std::string& error);
};

}  // namespace tablet
