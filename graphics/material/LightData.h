#pragma once

#include <cstdint>

#include "core/data/StaticRecord.h"

// One light: floats 0 to 3 are its colour (r, g, b, a), floats 7 to 9 its direction.
struct LightData {
    float values[11] = {};
};

static_assert(sizeof(LightData) == 44, "stored light size");

namespace orvo {

template <>
struct StaticRecord<LightData> {
    static constexpr const char* TYPE_NAME = "LightData";
    static constexpr uint32_t STORED_SIZE = 44;
    template <class F>
    static constexpr void describe(F& f) {
        f.words(0, &LightData::values);
    }
};

}  // namespace orvo
