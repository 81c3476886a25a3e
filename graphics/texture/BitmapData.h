#pragma once

#include <cstdint>

#include "core/data/StaticObjectLoader.h"
#include "core/data/StaticRecord.h"

// The pixels of one texture level. Loaded records point into the set's data block, which
// the first record owns; a record built in memory usually points at pixels it does not own.
// Not copyable: a copy would free the pixels a second time.
struct BitmapData {
    // Format codes of the pixel data, shared with orvo::TextureInfo.
    enum Format : uint32_t {
        FORMAT_RGBA = 1,
        FORMAT_RGB = 2,
        FORMAT_ETC1 = 19,
    };

    BitmapData() = default;
    BitmapData(uint32_t w, uint32_t h, uint32_t fmt, uint32_t size, unsigned char* data)
        : width(w),
          height(h),
          format(fmt),
          reserved0(0),
          reserved1(1),
          pixelSize(size),
          pixels(data),
          ownsPixels(0) {}
    BitmapData(const BitmapData& other)
        : width(other.width),
          height(other.height),
          format(other.format),
          reserved0(other.reserved0),
          reserved1(other.reserved1),
          pixelSize(other.pixelSize),
          pixels(other.pixels),
          ownsPixels(0) {}
    BitmapData& operator=(const BitmapData&) = delete;
    ~BitmapData() {
        if (ownsPixels != 0) {
            orvo::StaticObjectLoader::freeBlock(pixels);
        }
    }

    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t format = 0;
    uint32_t reserved0 = 0;
    uint32_t reserved1 = 0;
    uint32_t pixelSize = 0;
    unsigned char* pixels = nullptr;
    uint32_t ownsPixels = 0;
};

namespace orvo {

template <>
struct StaticRecord<BitmapData> {
    static constexpr const char* TYPE_NAME = "BitmapData";
    static constexpr uint32_t STORED_SIZE = 32;
    template <class F>
    static constexpr void describe(F& f) {
        f.word(0, &BitmapData::width);
        f.word(4, &BitmapData::height);
        f.word(8, &BitmapData::format);
        f.word(12, &BitmapData::reserved0);
        f.word(16, &BitmapData::reserved1);
        f.binBlock(20, &BitmapData::pixelSize, &BitmapData::pixels, &BitmapData::ownsPixels);
    }
};

}  // namespace orvo
