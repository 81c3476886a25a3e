#pragma once

#include <cstdint>

#include "core/containers/Array.h"
#include "core/data/StaticRecord.h"
#include "graphics/vertex/BlockSerial.h"

namespace orvo {

// One array of 16-bit vertex indices. Indices loaded from a file are a view into the loaded
// block, which the array never frees.
class VertexIndexBufferData {
public:
    VertexIndexBufferData() {}
    // Takes over the index array.
    explicit VertexIndexBufferData(Array<unsigned short>& source) { indices.acquire(source); }

    Array<unsigned short> indices;
    BlockSerial serial;
};

template <>
struct StaticRecord<VertexIndexBufferData> {
    static constexpr const char* TYPE_NAME = "VertexIndexBufferData";
    static constexpr uint32_t STORED_SIZE = 16;
    template <class F>
    static constexpr void describe(F& f) {
        f.array(0, &VertexIndexBufferData::indices);
    }
};

}  // namespace orvo
