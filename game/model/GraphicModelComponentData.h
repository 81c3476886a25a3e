#pragma once

#include <cstdint>

#include "core/containers/Array.h"
#include "core/data/StaticRecord.h"
#include "core/hash/HashString.h"

// What one piece of a model draws: entry j of the three lists is one draw (vertex block, index
// block, material). The trailing words are not used by the game and are kept as stored.
struct GraphicModelComponentData {
    uint32_t reserved0 = 0;
    orvo::Array<orvo::HashString> vertexBuffers;
    orvo::Array<orvo::HashString> indexBuffers;
    orvo::Array<orvo::HashString> materials;
    uint32_t reserved[6] = {};
};

namespace orvo {

template <>
struct StaticRecord<GraphicModelComponentData> {
    static constexpr const char* TYPE_NAME = "GraphicModelComponentData";
    static constexpr uint32_t STORED_SIZE = 76;
    template <class F>
    static constexpr void describe(F& f) {
        f.word(0, &GraphicModelComponentData::reserved0);
        f.array(4, &GraphicModelComponentData::vertexBuffers);
        f.array(20, &GraphicModelComponentData::indexBuffers);
        f.array(36, &GraphicModelComponentData::materials);
        f.words(52, &GraphicModelComponentData::reserved);
    }
};

}  // namespace orvo
