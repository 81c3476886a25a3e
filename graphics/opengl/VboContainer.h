#pragma once

#include <cstdint>

#include "core/containers/Array.h"

namespace orvo {

class VertexBufferData;
class VertexIndexBufferData;

// The GL buffers cached for one (vertex block, index block) pair, found by the two objects'
// addresses. The blocks' serials tell whether the blocks now at those addresses are still the
// ones the buffers were made from.
class VboContainer {
public:
    VboContainer(const VertexBufferData* vertexBlock, const VertexIndexBufferData* indexBlock);

    // Whether the buffers were made from these very blocks (not from earlier blocks that lay
    // at the same addresses).
    bool madeFrom(const VertexBufferData& vertices, const VertexIndexBufferData& indices) const;

    // Table order: by vertex block address, then index block address, both unsigned.
    static bool compare(const VboContainer* a, const VboContainer* b);
    // Binary search of a table kept in that order; null when the pair is not there.
    static VboContainer* getVboContainer(const VertexBufferData* vertexBlock,
                                         const VertexIndexBufferData* indexBlock,
                                         const Array<VboContainer*>& table);

    const VertexIndexBufferData* indexBlock;
    const VertexBufferData* vertexBlock;
    uint32_t colourOffset;
    uint32_t texCoord0Offset;
    uint32_t texCoord1Offset;
    uint32_t normalOffset;
    uint32_t positionOffset;
    uint32_t stride;
    uint32_t vertexBufferName;
    uint32_t indexBufferName;
    uint32_t formatFlags;
    uint32_t framesToLive;
    uint32_t vertexCount;
    uint32_t indexCount;
    uint64_t vertexSerial;
    uint64_t indexSerial;
};

}  // namespace orvo
