#include "tests/tools/Screenshot.h"

#include <GLES2/gl2.h>
#include <png.h>

#include <cstdio>
#include <filesystem>

Screenshot Screenshot::capture(int width, int height) {
    Screenshot shot;
    shot.width = width;
    shot.height = height;
    shot.rgba.assign(std::size_t(width) * std::size_t(height) * 4, 0);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, shot.rgba.data());
    return shot;
}

bool Screenshot::differ(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = int((a >> shift) & 0xff) - int((b >> shift) & 0xff);
        if (d > tolerance || d < -tolerance) {
            return true;
        }
    }
    return false;
}

uint32_t Screenshot::rgb(int x, int y) const {
    const uint8_t* p = &rgba[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 4];
    return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | uint32_t(p[2]);
}

bool Screenshot::save(const std::string& path) const {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    // Made before libpng may jump out of the writing below.
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        rows[std::size_t(y)] =
            const_cast<png_bytep>(&rgba[std::size_t(height - 1 - y) * std::size_t(width) * 4]);
    }
    bool written = false;
    if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        // The frame's alpha is whatever blending left there: the picture is written opaque.
        png_set_filler(png, 0, PNG_FILLER_AFTER);
        png_write_image(png, rows.data());
        png_write_end(png, nullptr);
        written = true;
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && written;
}
