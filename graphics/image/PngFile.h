#pragma once

#include <boost/shared_ptr.hpp>
#include <cstdint>

#include "core/file/BinaryFile.h"
#include "core/text/ZqString.h"

// A PNG image decoded by libpng into 8-bit samples, bottom row first, with 1 to 4 channels
// (grey, grey + alpha, RGB, RGBA; palettes and transparency chunks are expanded).
class PngFile {
public:
    explicit PngFile(const orvo::ZqString& path);
    // Reads from a caller-owned block, which must outlive the decode.
    PngFile(const unsigned char* data, unsigned size);
    ~PngFile();
    PngFile(const PngFile&) = delete;
    PngFile& operator=(const PngFile&) = delete;

    // Reads the 8-byte signature; decode expects it read.
    bool isPng();
    // The pixels, or an empty pointer on any failure.
    boost::shared_ptr<unsigned char> decode();

    uint32_t getWidth() const { return width_; }
    uint32_t getHeight() const { return height_; }
    uint32_t getChannels() const { return channels_; }

    // libpng's read callback.
    uint32_t readBytes(unsigned char* out, uint32_t n) { return file_.read(out, 1, n); }

private:
    orvo::BinaryFile file_;
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    uint32_t channels_ = 0;
};
