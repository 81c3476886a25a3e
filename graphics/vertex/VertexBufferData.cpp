#include "graphics/vertex/VertexBufferData.h"

#include <cstring>

#include "core/file/FileMemory.h"

namespace orvo {

namespace {

struct Part {
    VertexBufferData::FormatFlag flag;
    uint32_t size;
};

// The interleaved order, which does not follow the flag values.
constexpr Part PARTS[] = {
    {VertexBufferData::POSITION, 12}, {VertexBufferData::NORMAL, 12},
    {VertexBufferData::COLOUR, 4},    {VertexBufferData::TEXCOORD0, 8},
    {VertexBufferData::TEXCOORD1, 8},
};

// A part shorter than the positions is left out: packing it would read past its end.
template <class E>
bool present(const Array<E>& part, std::size_t vertices) {
    return !part.empty() && part.size() >= vertices;
}

template <class E>
unsigned char* copyPart(unsigned char* out, const Array<E>& part, std::size_t i) {
    if (part.empty()) {
        return out;
    }
    std::memcpy(out, &part[i], sizeof(E));
    return out + sizeof(E);
}

}  // namespace

uint32_t VertexBufferData::strideOf(uint32_t flags) {
    uint32_t stride = 0;
    for (const Part& part : PARTS) {
        if (flags & part.flag) {
            stride += part.size;
        }
    }
    return stride;
}

uint32_t VertexBufferData::offsetOf(uint32_t flags, FormatFlag wanted) {
    uint32_t offset = 0;
    for (const Part& part : PARTS) {
        if (part.flag == wanted) {
            break;
        }
        if (flags & part.flag) {
            offset += part.size;
        }
    }
    return offset;
}

VertexBufferData::VertexBufferData(Array<PrimitiveData>& positionsIn, Array<NormalData>& normalsIn,
                                   Array<TextureCoordinateData>& texCoords0In,
                                   Array<TextureCoordinateData>& texCoords1In,
                                   Array<VertexColorData>& coloursIn)
    : VertexBufferData() {
    Array<PrimitiveData> positions;
    Array<NormalData> normals;
    Array<TextureCoordinateData> texCoords0;
    Array<TextureCoordinateData> texCoords1;
    Array<VertexColorData> colours;
    positions.acquire(positionsIn);
    normals.acquire(normalsIn);
    texCoords0.acquire(texCoords0In);
    texCoords1.acquire(texCoords1In);
    colours.acquire(coloursIn);

    const std::size_t n = positions.size();
    if (!present(normals, n)) {
        normals.clear();
    }
    if (!present(colours, n)) {
        colours.clear();
    }
    if (!present(texCoords0, n)) {
        texCoords0.clear();
    }
    if (!present(texCoords1, n)) {
        texCoords1.clear();
    }
    vertexCount = static_cast<uint32_t>(n);
    formatFlags = (positions.empty() ? 0u : uint32_t(POSITION)) |
                  (normals.empty() ? 0u : uint32_t(NORMAL)) |
                  (colours.empty() ? 0u : uint32_t(COLOUR)) |
                  (texCoords0.empty() ? 0u : uint32_t(TEXCOORD0)) |
                  (texCoords1.empty() ? 0u : uint32_t(TEXCOORD1));
    stride = strideOf(formatFlags);
    if (vertexCount == 0) {
        return;
    }
    data = static_cast<unsigned char*>(FileMemory::allocate(std::size_t(vertexCount) * stride, 0));
    if (data == nullptr) {
        return;
    }
    dataSize = vertexCount * stride;
    ownsData = 1;
    unsigned char* out = data;
    for (std::size_t i = 0; i < vertexCount; ++i) {
        out = copyPart(out, positions, i);
        out = copyPart(out, normals, i);
        out = copyPart(out, colours, i);
        out = copyPart(out, texCoords0, i);
        out = copyPart(out, texCoords1, i);
    }
}

VertexBufferData::VertexBufferData(const VertexBufferData& other) : VertexBufferData() {
    copyData(other);
}

VertexBufferData& VertexBufferData::operator=(const VertexBufferData& other) {
    if (this != &other) {
        releaseData();
        copyData(other);
        serial = BlockSerial();
    }
    return *this;
}

void VertexBufferData::copyData(const VertexBufferData& other) {
    formatFlags = other.formatFlags;
    stride = other.stride;
    reserved = other.reserved;
    vertexCount = 0;
    dataSize = 0;
    data = nullptr;
    ownsData = 0;
    if (other.dataSize == 0 || other.data == nullptr) {
        vertexCount = other.vertexCount;
        return;
    }
    data = static_cast<unsigned char*>(FileMemory::allocate(other.dataSize, 0));
    if (data == nullptr) {
        return;
    }
    std::memcpy(data, other.data, other.dataSize);
    vertexCount = other.vertexCount;
    dataSize = other.dataSize;
    ownsData = 1;
}

// Built blocks come from the same memory as loaded ones, so one release fits both.
void VertexBufferData::releaseData() {
    if (ownsData != 0) {
        StaticObjectLoader::freeBlock(data);
    }
    data = nullptr;
    dataSize = 0;
    ownsData = 0;
}

}  // namespace orvo
