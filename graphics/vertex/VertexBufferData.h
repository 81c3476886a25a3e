#pragma once

#include <cstdint>

#include "core/containers/Array.h"
#include "core/data/StaticObjectLoader.h"
#include "core/data/StaticRecord.h"
#include "graphics/vertex/BlockSerial.h"
#include "graphics/vertex/NormalData.h"
#include "graphics/vertex/PrimitiveData.h"
#include "graphics/vertex/TextureCoordinateData.h"
#include "graphics/vertex/VertexColorData.h"

namespace orvo {

// One block of interleaved vertices; the format flags say which parts each vertex holds, and
// the parts always lie in the order position, normal, colour, texture coordinates 0 and 1.
class VertexBufferData {
public:
    enum FormatFlag : uint32_t {
        COLOUR = 1,
        TEXCOORD0 = 2,
        NORMAL = 4,
        POSITION = 8,
        TEXCOORD1 = 16,
    };

    VertexBufferData()
        : formatFlags(0),
          vertexCount(0),
          stride(0),
          reserved(0),
          dataSize(0),
          data(nullptr),
          ownsData(0) {}
    // Takes over the arrays, packs them into one interleaved block and frees them. A part is
    // present when its array is not empty and, with positions, holds one element per
    // position at least.
    VertexBufferData(Array<PrimitiveData>& positions, Array<NormalData>& normals,
                     Array<TextureCoordinateData>& texCoords0,
                     Array<TextureCoordinateData>& texCoords1, Array<VertexColorData>& colours);
    // A copy owns a copy of the vertex bytes, whoever owned the original's (so blocks can be
    // put into arrays and groups); when they cannot be allocated it holds no vertices.
    VertexBufferData(const VertexBufferData& other);
    VertexBufferData& operator=(const VertexBufferData& other);
    ~VertexBufferData() { releaseData(); }

    // Bytes per vertex of a set of format flags.
    static uint32_t strideOf(uint32_t flags);
    // Where a part lies within a vertex of those flags.
    static uint32_t offsetOf(uint32_t flags, FormatFlag part);

    uint32_t formatFlags;
    uint32_t vertexCount;
    uint32_t stride;
    uint32_t reserved;
    uint32_t dataSize;
    unsigned char* data;
    uint32_t ownsData;
    BlockSerial serial;

private:
    void copyData(const VertexBufferData& other);
    void releaseData();
};

template <>
struct StaticRecord<VertexBufferData> {
    static constexpr const char* TYPE_NAME = "VertexBufferData";
    static constexpr uint32_t STORED_SIZE = 28;
    template <class F>
    static constexpr void describe(F& f) {
        f.word(0, &VertexBufferData::formatFlags);
        f.word(4, &VertexBufferData::vertexCount);
        f.word(8, &VertexBufferData::stride);
        f.word(12, &VertexBufferData::reserved);
        f.binBlock(16, &VertexBufferData::dataSize, &VertexBufferData::data,
                   &VertexBufferData::ownsData);
    }
};

}  // namespace orvo
