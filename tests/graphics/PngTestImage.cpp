#include "tests/graphics/PngTestImage.h"

namespace trellin_test {

namespace {

void writeCallback(png_structp png, png_bytep data, png_size_t n) {
    trellin::Bytes* out = static_cast<trellin::Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}

void flushCallback(png_structp) {}

}  // namespace

trellin::Bytes makePng(uint32_t width, uint32_t height, int colourType, int depth,
                       const std::vector<trellin::Bytes>& rows, bool interlaced,
                       const std::vector<png_color>& palette, const trellin::Bytes& trns) {
    trellin::Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return trellin::Bytes();
    }
    png_set_write_fn(png, &out, writeCallback, flushCallback);
    png_set_IHDR(png, info, width, height, depth, colourType,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty()) {
        png_set_PLTE(png, info, palette.data(), int(palette.size()));
    }
    if (!trns.empty()) {
        png_set_tRNS(png, info, trns.data(), int(trns.size()), nullptr);
    }
    png_write_info(png, info);
    std::vector<png_bytep> pointers;
    for (const trellin::Bytes& row : rows) {
        pointers.push_back(const_cast<png_bytep>(row.data()));
    }
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace trellin_test
