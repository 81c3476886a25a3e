#include "ui/RocketImage.h"

#include <cstring>

#include "graphics/image/PngFile.h"
#include "graphics/image/TgaFile.h"
#include "graphics/texture/BitmapData.h"

namespace orvo {

namespace {

uint32_t bytesPerPixel(uint32_t format) { return format == BitmapData::FORMAT_RGB ? 3 : 4; }

}  // namespace

bool RocketImage::load(const ZqString& source) {
    if (source.find(".tga") != ZqString::npos) {
        return loadTga(source);
    }
    if (source.find(".png") != ZqString::npos) {
        return loadPng(source);
    }
    return false;
}

bool RocketImage::loadTga(const ZqString& source) {
    const TgaFile tga(source, true);
    if (!tga.isLoaded()) {
        return false;
    }
    const uint32_t format = tga.getDepth() == 24 ? BitmapData::FORMAT_RGB : BitmapData::FORMAT_RGBA;
    const uint64_t size = uint64_t(tga.getWidth()) * tga.getHeight() * bytesPerPixel(format);
    if (tga.getDataSize() < size || !pixels_.resize(static_cast<std::size_t>(size), 0)) {
        return false;
    }
    std::memcpy(pixels_.data(), tga.getData(), pixels_.size());
    width_ = tga.getWidth();
    height_ = tga.getHeight();
    format_ = format;
    return true;
}

bool RocketImage::loadPng(const ZqString& source) {
    PngFile png(source);
    if (!png.isPng()) {
        return false;
    }
    const boost::shared_ptr<unsigned char> decoded = png.decode();
    const uint32_t channels = png.getChannels();
    if (!decoded || channels < 1 || channels > 4) {
        return false;
    }
    const uint32_t width = png.getWidth();
    const uint32_t height = png.getHeight();
    // Grey keeps its alpha (if any) and repeats its value in the three colour channels.
    const uint32_t format = channels % 2 == 1 ? BitmapData::FORMAT_RGB : BitmapData::FORMAT_RGBA;
    const uint32_t outChannels = bytesPerPixel(format);
    if (!pixels_.resize(std::size_t(width) * height * outChannels, 0)) {
        return false;
    }
    const unsigned char* in = decoded.get();
    // The decoder leaves the bottom row first.
    for (uint32_t row = 0; row < height; ++row) {
        const unsigned char* from = in + std::size_t(height - 1 - row) * width * channels;
        unsigned char* to = pixels_.data() + std::size_t(row) * width * outChannels;
        for (uint32_t x = 0; x < width; ++x, from += channels, to += outChannels) {
            if (channels <= 2) {
                to[0] = to[1] = to[2] = from[0];
                if (channels == 2) {
                    to[3] = from[1];
                }
            } else {
                std::memcpy(to, from, channels);
            }
        }
    }
    width_ = width;
    height_ = height;
    format_ = format;
    return true;
}

}  // namespace orvo
