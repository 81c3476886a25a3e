#pragma once

#include <cstdint>

#include "core/data/StaticRecord.h"
#include "core/hash/HashString.h"

// One placed piece of a model folder: which spatial record places it and which graphic record
// draws it. The words between the ids are kept as stored.
struct FurnitureEntityType {
    orvo::HashString entityId;
    uint32_t reserved0 = 0;
    orvo::HashString spatialComponentId;
    uint32_t reserved1 = 0;
    orvo::HashString graphicComponentId;
    uint32_t reserved2 = 0;
};

namespace orvo {

template <>
struct StaticRecord<FurnitureEntityType> {
    static constexpr const char* TYPE_NAME = "FurnitureEntityType";
    static constexpr uint32_t STORED_SIZE = 24;
    template <class F>
    static constexpr void describe(F& f) {
        f.word(0, &FurnitureEntityType::entityId);
        f.word(4, &FurnitureEntityType::reserved0);
        f.word(8, &FurnitureEntityType::spatialComponentId);
        f.word(12, &FurnitureEntityType::reserved1);
        f.word(16, &FurnitureEntityType::graphicComponentId);
        f.word(20, &FurnitureEntityType::reserved2);
    }
};

}  // namespace orvo
