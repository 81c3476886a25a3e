#pragma once

#include <cstdint>

#include "core/data/StaticRecord.h"

// Where one piece of a model sits: its position and its rotation, a row-major 3x3 matrix.
struct SpatialComponentData {
    float position[3] = {0.0f, 0.0f, 0.0f};
    float rotation[9] = {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f};
};

namespace orvo {

template <>
struct StaticRecord<SpatialComponentData> {
    static constexpr const char* TYPE_NAME = "SpatialComponentData";
    static constexpr uint32_t STORED_SIZE = 48;
    template <class F>
    static constexpr void describe(F& f) {
        f.words(0, &SpatialComponentData::position);
        f.words(12, &SpatialComponentData::rotation);
    }
};

}  // namespace orvo
