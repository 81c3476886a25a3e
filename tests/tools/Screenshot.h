#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The current framebuffer read back: RGBA, row 0 at the bottom as GL gives it.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;

    static Screenshot capture(int width, int height);
    // The pixel at (x, y) counted from the bottom left, as 0xRRGGBB.
    uint32_t rgb(int x, int y) const;
    // Whether two 0xRRGGBB colours differ by more than tolerance in any of their channels.
    static bool differ(uint32_t a, uint32_t b, int tolerance);
    // Writes a PNG (top row first) to path, making its folder; false when it cannot.
    bool save(const std::string& path) const;
};
