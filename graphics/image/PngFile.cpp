#include "graphics/image/PngFile.h"

#include <png.h>

#include <csetjmp>

#include "core/memory/ZequinAllocation.h"

namespace {

constexpr unsigned SIGNATURE_BYTES = 8;

void readCallback(png_structp png, png_bytep out, png_size_t n) {
    PngFile* file = static_cast<PngFile*>(png_get_io_ptr(png));
    if (n > UINT32_MAX || file->readBytes(out, static_cast<uint32_t>(n)) != n) {
        png_error(png, "short read");
    }
}

void errorCallback(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// libpng would print warnings to stderr; a picture that decodes is good enough here.
void warningCallback(png_structp, png_const_charp) {}

void deletePixels(unsigned char* pixels) { delete[] pixels; }

// What the long jump may skip: everything it leaves behind is in this plain record.
struct Decode {
    png_structp png = nullptr;
    png_infop info = nullptr;
    unsigned char* pixels = nullptr;
    png_bytep* rows = nullptr;
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    unsigned channels = 0;
};

// Everything up to the buffers; false when the image's size does not fit in memory words.
bool readHeaderAndAllocate(Decode& d) {
    png_read_info(d.png, d.info);
    int depth = 0;
    int colourType = 0;
    png_get_IHDR(d.png, d.info, &d.width, &d.height, &depth, &colourType, nullptr, nullptr,
                 nullptr);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(d.png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) {
        png_set_expand_gray_1_2_4_to_8(d.png);
    }
    if (png_get_valid(d.png, d.info, PNG_INFO_tRNS) != 0) {
        png_set_tRNS_to_alpha(d.png);
    }
    if (depth == 16) {
        png_set_strip_16(d.png);
    }
    png_set_interlace_handling(d.png);
    png_read_update_info(d.png, d.info);
    d.channels = png_get_channels(d.png, d.info);
    const png_size_t rowBytes = png_get_rowbytes(d.png, d.info);
    const uint64_t total = uint64_t(rowBytes) * d.height;
    if (d.width == 0 || d.height == 0 || rowBytes < size_t(d.width) * d.channels ||
        total > UINT32_MAX) {
        return false;
    }
    d.pixels = new (0, ZequinAllocation) unsigned char[static_cast<std::size_t>(total)];
    d.rows = new (0, ZequinAllocation) png_bytep[d.height];
    if (d.pixels == nullptr || d.rows == nullptr) {
        return false;
    }
    // Bottom-up: the first image row goes to the end of the buffer.
    for (png_uint_32 y = 0; y < d.height; ++y) {
        d.rows[y] = d.pixels + std::size_t(d.height - 1 - y) * rowBytes;
    }
    return true;
}

// Kept apart from C++ objects with destructors, which the long jump would skip.
bool runDecode(Decode& d, PngFile* source) {
    if (setjmp(png_jmpbuf(d.png)) != 0) {
        return false;
    }
    png_set_read_fn(d.png, source, readCallback);
    png_set_sig_bytes(d.png, SIGNATURE_BYTES);
    if (!readHeaderAndAllocate(d)) {
        return false;
    }
    png_read_image(d.png, d.rows);
    return true;
}

}  // namespace

PngFile::PngFile(const orvo::ZqString& path) { file_.open(path); }

PngFile::PngFile(const unsigned char* data, unsigned size) { file_.open(data, size); }

PngFile::~PngFile() {
    if (file_.getState() != orvo::FileBase::STATE_CLOSED) {
        file_.close();
    }
}

bool PngFile::isPng() {
    if (file_.getError() != orvo::FileBase::ERROR_NONE) {
        return false;
    }
    unsigned char signature[SIGNATURE_BYTES];
    if (readBytes(signature, SIGNATURE_BYTES) != SIGNATURE_BYTES) {
        return false;
    }
    return png_sig_cmp(signature, 0, SIGNATURE_BYTES) == 0;
}

boost::shared_ptr<unsigned char> PngFile::decode() {
    Decode d;
    d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, errorCallback, warningCallback);
    if (d.png != nullptr) {
        d.info = png_create_info_struct(d.png);
    }
    const bool ok = d.info != nullptr && runDecode(d, this);
    png_destroy_read_struct(d.png != nullptr ? &d.png : nullptr,
                            d.info != nullptr ? &d.info : nullptr, nullptr);
    delete[] d.rows;
    if (!ok) {
        delete[] d.pixels;
        return boost::shared_ptr<unsigned char>();
    }
    width_ = d.width;
    height_ = d.height;
    channels_ = d.channels;
    return boost::shared_ptr<unsigned char>(d.pixels, deletePixels);
}
