#include "graphics/opengl/VboContainer.h"

#include <cstdint>

#include "graphics/vertex/VertexBufferData.h"
#include "graphics/vertex/VertexIndexBufferData.h"

namespace orvo {

namespace {

struct PairKey {
    uintptr_t vertex;
    uintptr_t index;

    bool operator<(const PairKey& other) const {
        return vertex != other.vertex ? vertex < other.vertex : index < other.index;
    }
};

PairKey keyOf(const VertexBufferData* vertexBlock, const VertexIndexBufferData* indexBlock) {
    return PairKey{reinterpret_cast<uintptr_t>(vertexBlock),
                   reinterpret_cast<uintptr_t>(indexBlock)};
}

}  // namespace

VboContainer::VboContainer(const VertexBufferData* vertices, const VertexIndexBufferData* indices)
    : indexBlock(indices),
      vertexBlock(vertices),
      colourOffset(0),
      texCoord0Offset(0),
      texCoord1Offset(0),
      normalOffset(0),
      positionOffset(0),
      stride(0),
      vertexBufferName(0),
      indexBufferName(0),
      formatFlags(vertices->formatFlags),
      framesToLive(0),
      vertexCount(vertices->vertexCount),
      indexCount(static_cast<uint32_t>(indices->indices.size())),
      vertexSerial(vertices->serial.value()),
      indexSerial(indices->serial.value()) {
    // An absent part keeps offset 0; positions always come first.
    const auto partOffset = [this](VertexBufferData::FormatFlag part) {
        return (formatFlags & part) != 0 ? VertexBufferData::offsetOf(formatFlags, part) : 0u;
    };
    normalOffset = partOffset(VertexBufferData::NORMAL);
    colourOffset = partOffset(VertexBufferData::COLOUR);
    texCoord0Offset = partOffset(VertexBufferData::TEXCOORD0);
    texCoord1Offset = partOffset(VertexBufferData::TEXCOORD1);
    stride = VertexBufferData::strideOf(formatFlags);
}

bool VboContainer::madeFrom(const VertexBufferData& vertices,
                            const VertexIndexBufferData& indices) const {
    return vertexSerial == vertices.serial.value() && indexSerial == indices.serial.value();
}

bool VboContainer::compare(const VboContainer* a, const VboContainer* b) {
    return keyOf(a->vertexBlock, a->indexBlock) < keyOf(b->vertexBlock, b->indexBlock);
}

VboContainer* VboContainer::getVboContainer(const VertexBufferData* vertexBlock,
                                            const VertexIndexBufferData* indexBlock,
                                            const Array<VboContainer*>& table) {
    const PairKey key = keyOf(vertexBlock, indexBlock);
    std::size_t first = 0;
    std::size_t last = table.size();
    while (first < last) {
        const std::size_t middle = first + (last - first) / 2;
        VboContainer* entry = table[middle];
        const PairKey entryKey = keyOf(entry->vertexBlock, entry->indexBlock);
        if (entryKey < key) {
            first = middle + 1;
        } else if (key < entryKey) {
            last = middle;
        } else {
            return entry;
        }
    }
    return nullptr;
}

}  // namespace orvo
