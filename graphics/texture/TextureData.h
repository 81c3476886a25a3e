#pragma once

#include <cstdint>

#include "core/containers/Array.h"
#include "core/data/StaticRecord.h"
#include "core/hash/HashString.h"

// One texture: its filter mode and the names of its BitmapData levels, level 0 first.
struct TextureData {
    enum Filter : uint32_t {
        FILTER_NEAREST = 1,
        FILTER_LINEAR = 2,
        FILTER_MIPMAP = 4,
    };

    uint32_t filterMode = 0;
    orvo::Array<orvo::HashString> bitmapNames;
};

namespace orvo {

template <>
struct StaticRecord<TextureData> {
    static constexpr const char* TYPE_NAME = "TextureData";
    static constexpr uint32_t STORED_SIZE = 20;
    template <class F>
    static constexpr void describe(F& f) {
        f.word(0, &TextureData::filterMode);
        f.array(4, &TextureData::bitmapNames);
    }
};

}  // namespace orvo
