#include "ui/RocketRenderInterface.h"

#include <cstring>
#include <memory>
#include <new>

#include "core/maths/RandomSequence.h"
#include "core/memory/ZequinAllocation.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/material/MaterialManager.h"
#include "graphics/texture/BitmapManager.h"
#include "graphics/texture/TextureManager.h"
#include "ui/RocketImage.h"
#include "ui/RocketShaderSource.h"
#include "ui/RocketStrings.h"

namespace orvo {

namespace {

const int VERTEX_CATEGORY = 3;
const int MATRIX_CATEGORY = 6;

boost::shared_ptr<RenderTarget> currentTarget() {
    return GraphicsSystem::instance_ != nullptr
               ? GraphicsSystem::instance_->getCurrentRenderTarget()
               : boost::shared_ptr<RenderTarget>();
}

// The names' own sequence, shared by every interface of the process so that their names stay
// apart. The HUD compiles geometry every frame: drawn from the game's sequence, these names
// would move the track that the run lays after its reseed.
RandomSequence nameSequence;

// 0xFF, the prefix, 14 characters from the names' sequence and a NUL.
HashString randomName(const char* prefix) {
    char name[21];
    name[0] = static_cast<char>(0xFF);
    std::memcpy(name + 1, prefix, 5);
    for (int i = 6; i < 20; ++i) {
        name[i] = static_cast<char>(static_cast<int>(32.0f + nameSequence.unit() * 94.0f));
    }
    name[20] = '\0';
    return HashString(name);
}

// The one slot of a UI material.
TextureSlotData textureSlot(HashString texture) {
    TextureSlotData slot;
    slot.textureName = texture;
    const uint32_t words[7] = {0, 1, 0, 0, 0, 0, 0};
    std::memcpy(slot.unused, words, sizeof(words));
    return slot;
}

template <class T>
void removeAt(Array<T>& array, std::size_t index) {
    array[index] = array[array.size() - 1];
    array.popBack();
}

}  // namespace

RocketRenderInterface::RocketRenderInterface() { constructDefaultMaterial(); }

RocketRenderInterface::~RocketRenderInterface() {
    while (!materialUses.empty()) {
        releaseMaterial(materialUses.size() - 1);
    }
    while (!generatedTextures.empty()) {
        releaseGenerated(generatedTextures.size() - 1);
    }
}

boost::shared_ptr<VertexBufferData> RocketRenderInterface::constructVertexBuffer(
    const Rocket::Core::Vertex* vertices, int count) const {
    const boost::shared_ptr<RenderTarget> target = currentTarget();
    const float width = target ? static_cast<float>(target->getCurrentRenderWidth()) : 0.0f;
    const float height = target ? static_cast<float>(target->getCurrentRenderHeight()) : 0.0f;
    if (!(width > 0.0f) || !(height > 0.0f) || vertices == nullptr || count <= 0) {
        return boost::shared_ptr<VertexBufferData>();
    }
    const std::size_t n = static_cast<std::size_t>(count);
    Array<PrimitiveData> positions(VERTEX_CATEGORY);
    Array<NormalData> normals(VERTEX_CATEGORY);
    Array<TextureCoordinateData> texCoords(VERTEX_CATEGORY);
    Array<TextureCoordinateData> texCoords1(VERTEX_CATEGORY);
    Array<VertexColorData> colours(VERTEX_CATEGORY);
    if (!positions.reserve(n) || !texCoords.reserve(n) || !colours.reserve(n)) {
        return boost::shared_ptr<VertexBufferData>();
    }
    for (std::size_t i = 0; i < n; ++i) {
        const Rocket::Core::Vertex& v = vertices[i];
        positions.pushBack(PrimitiveData{v.position.x / width, 1.0f - v.position.y / height, 0.0f});
        colours.pushBack(
            VertexColorData{v.colour.red, v.colour.green, v.colour.blue, v.colour.alpha});
        texCoords.pushBack(TextureCoordinateData{v.tex_coord.x, 1.0f - v.tex_coord.y});
    }
    VertexBufferData* block = new (0, ZequinAllocation)
        VertexBufferData(positions, normals, texCoords, texCoords1, colours);
    return boost::shared_ptr<VertexBufferData>(block);
}

boost::shared_ptr<VertexIndexBufferData> RocketRenderInterface::constructIndexBuffer(
    const int* indices, int count) {
    boost::shared_ptr<VertexIndexBufferData> block(new (0, ZequinAllocation)
                                                       VertexIndexBufferData());
    if (!block || indices == nullptr || count <= 0 ||
        !block->indices.reserve(static_cast<std::size_t>(count))) {
        return boost::shared_ptr<VertexIndexBufferData>();
    }
    for (int i = 0; i < count; ++i) {
        block->indices.pushBack(static_cast<unsigned short>(indices[i]));
    }
    return block;
}

boost::shared_ptr<ZqMatrix<4, 4>> RocketRenderInterface::constructTransformMatrix(float x,
                                                                                  float y) const {
    const boost::shared_ptr<RenderTarget> target = currentTarget();
    boost::shared_ptr<ZqMatrix<4, 4>> matrix(new (MATRIX_CATEGORY, ZequinAllocation)
                                                 ZqMatrix<4, 4>());
    if (!target || !matrix || target->getCurrentRenderWidth() == 0 ||
        target->getCurrentRenderHeight() == 0) {
        return boost::shared_ptr<ZqMatrix<4, 4>>();
    }
    (*matrix)[3] = x / static_cast<float>(target->getCurrentRenderWidth());
    (*matrix)[7] = -(y / static_cast<float>(target->getCurrentRenderHeight()));
    return matrix;
}

void RocketRenderInterface::RenderGeometry(Rocket::Core::Vertex* vertices, int vertexCount,
                                           int* indices, int indexCount,
                                           Rocket::Core::TextureHandle texture,
                                           const Rocket::Core::Vector2f& translation) {
    GraphicsSystem* graphics = GraphicsSystem::instance_;
    if (texture != 0 || graphics == nullptr) {
        return;
    }
    const boost::shared_ptr<VertexBufferData> block = constructVertexBuffer(vertices, vertexCount);
    const boost::shared_ptr<VertexIndexBufferData> order =
        constructIndexBuffer(indices, indexCount);
    const boost::shared_ptr<ZqMatrix<4, 4>> matrix =
        constructTransformMatrix(translation.x, translation.y);
    if (block && order && matrix) {
        graphics->drawDynamicItem(defaultMaterial, block, order, matrix);
    }
}

Rocket::Core::CompiledGeometryHandle RocketRenderInterface::CompileGeometry(
    Rocket::Core::Vertex* vertices, int vertexCount, int* indices, int indexCount,
    Rocket::Core::TextureHandle texture) {
    const HashString group = randomName("geom_");
    const boost::shared_ptr<VertexBufferData> block = constructVertexBuffer(vertices, vertexCount);
    const boost::shared_ptr<VertexIndexBufferData> order =
        constructIndexBuffer(indices, indexCount);
    if (!block || !order) {
        return 0;
    }
    Array<VertexBufferData> vertexItems;
    if (!vertexItems.pushBack(*block) || vertexItems[0].vertexCount != block->vertexCount) {
        return 0;
    }
    Array<VertexIndexBufferData> indexItems;
    indexItems.pushBack(VertexIndexBufferData());
    if (indexItems.empty()) {
        return 0;
    }
    indexItems[0].indices.acquire(order->indices);
    Array<HashString> ids;
    ids.pushBack(group);
    StaticDataManager<VertexBufferData>& vertexGroups = geometryVertices;
    StaticDataManager<VertexIndexBufferData>& indexGroups = geometryIndices;
    CompiledGeometry* record = new (0, ZequinAllocation)
        CompiledGeometry{group, texture != 0 ? HashString::fromHash(static_cast<uint32_t>(texture))
                                             : DEFAULT_MATERIAL};
    if (record == nullptr || !vertexGroups.createGroup(vertexGroups.getStaticStore(), group) ||
        !indexGroups.createGroup(indexGroups.getStaticStore(), group) ||
        !vertexGroups.insertGroup(vertexGroups.getStaticStore(), group, ids, vertexItems) ||
        !indexGroups.insertGroup(indexGroups.getStaticStore(), group, ids, indexItems)) {
        removeGeometryGroup(group);
        delete record;
        return 0;
    }
    return reinterpret_cast<Rocket::Core::CompiledGeometryHandle>(record);
}

void RocketRenderInterface::RenderCompiledGeometry(Rocket::Core::CompiledGeometryHandle geometry,
                                                   const Rocket::Core::Vector2f& translation) {
    const CompiledGeometry* record = reinterpret_cast<const CompiledGeometry*>(geometry);
    GraphicsSystem* graphics = GraphicsSystem::instance_;
    const boost::shared_ptr<RenderTarget> target = currentTarget();
    if (record == nullptr || graphics == nullptr || !target) {
        return;
    }
    const boost::shared_ptr<VertexBufferData> block = geometryVertices.getStatic(record->group);
    const boost::shared_ptr<VertexIndexBufferData> order = geometryIndices.getStatic(record->group);
    const boost::shared_ptr<ZqMatrix<4, 4>> matrix =
        constructTransformMatrix(translation.x, translation.y);
    if (!block || !order || !matrix) {
        return;
    }
    const bool untextured = record->material == DEFAULT_MATERIAL;
    const int use = untextured ? -1 : findContructedMaterialName(record->material);
    // Geometry outliving its texture has no material left: nothing to draw it with.
    if (!untextured && use < 0) {
        return;
    }
    // UI images are not tiled: their edges must not bleed in from the opposite side.
    target->setTextureWrap(RenderTarget::CLAMP_TO_EDGE);
    if (untextured) {
        graphics->drawDynamicItem(defaultMaterial, block, order, matrix);
    } else {
        graphics->drawStaticItem(materialUses[static_cast<std::size_t>(use)].material, block, order,
                                 matrix);
    }
    target->setTextureWrap(RenderTarget::REPEAT);
}

void RocketRenderInterface::ReleaseCompiledGeometry(Rocket::Core::CompiledGeometryHandle geometry) {
    CompiledGeometry* record = reinterpret_cast<CompiledGeometry*>(geometry);
    if (record == nullptr) {
        return;
    }
    const boost::shared_ptr<VertexBufferData> block = geometryVertices.getStatic(record->group);
    const boost::shared_ptr<VertexIndexBufferData> order = geometryIndices.getStatic(record->group);
    if (block && order && GraphicsSystem::instance_ != nullptr) {
        GraphicsSystem::instance_->flushStaticItem(*block, *order);
    }
    removeGeometryGroup(record->group);
    delete record;
}

void RocketRenderInterface::removeGeometryGroup(HashString group) {
    StaticDataManager<VertexBufferData>& vertexGroups = geometryVertices;
    StaticDataManager<VertexIndexBufferData>& indexGroups = geometryIndices;
    vertexGroups.removeGroup(vertexGroups.getStaticStore(), group);
    indexGroups.removeGroup(indexGroups.getStaticStore(), group);
}

void RocketRenderInterface::EnableScissorRegion(bool enable) {
    const boost::shared_ptr<RenderTarget> target = currentTarget();
    if (!target) {
        return;
    }
    if (enable) {
        target->enableScissoring();
    } else {
        target->disableScissoring();
    }
}

void RocketRenderInterface::SetScissorRegion(int x, int y, int width, int height) {
    const boost::shared_ptr<RenderTarget> target = currentTarget();
    if (!target) {
        return;
    }
    // An empty region clips everything; ignoring it would leave the last region in force.
    if (width <= 0 || height <= 0) {
        target->setScissorRegion(0, 0, 0, 0);
        return;
    }
    long left = x;
    long bottom = static_cast<long>(target->getCurrentRenderHeight()) - long(y) - long(height);
    long w = width;
    long h = height;
    // The part outside the target is clipped anyway; the target takes no negative corner.
    if (left < 0) {
        w += left;
        left = 0;
    }
    if (bottom < 0) {
        h += bottom;
        bottom = 0;
    }
    target->setScissorRegion(static_cast<unsigned long>(left), static_cast<unsigned long>(bottom),
                             static_cast<unsigned long>(w > 0 ? w : 0),
                             static_cast<unsigned long>(h > 0 ? h : 0));
}

bool RocketRenderInterface::LoadTexture(Rocket::Core::TextureHandle& handle,
                                        Rocket::Core::Vector2i& dimensions,
                                        const Rocket::Core::String& source) {
    TextureManager* textures = TextureManager::instance_;
    if (textures == nullptr) {
        return false;
    }
    const std::size_t slash = source.find_last_of('/');
    Rocket::Core::String stem =
        slash == Rocket::Core::String::npos ? source : source.Substring(slash + 1);
    stem = stem.Substring(0, stem.find('.'));
    HashString name(stem.c_str());
    if (!textures->staticExists(name)) {
        name = HashString(source.c_str());
    }
    const boost::shared_ptr<TextureInfo> found = textures->getStatic(name);
    if (found) {
        dimensions =
            Rocket::Core::Vector2i(static_cast<int>(found->width), static_cast<int>(found->height));
        if (!constructAndAddMaterial(name)) {
            return false;
        }
    } else {
        RocketImage image;
        if (!image.load(toZqString(source)) ||
            !constructTexture(name, image.getPixels().data(), image.getWidth(), image.getHeight(),
                              image.getFormat())) {
            return false;
        }
        dimensions = Rocket::Core::Vector2i(static_cast<int>(image.getWidth()),
                                            static_cast<int>(image.getHeight()));
    }
    handle = name.getHash();
    return true;
}

bool RocketRenderInterface::GenerateTexture(Rocket::Core::TextureHandle& handle,
                                            const Rocket::Core::byte* pixels,
                                            const Rocket::Core::Vector2i& dimensions) {
    const HashString name = randomName("txtr_");
    handle = name.getHash();
    if (dimensions.x <= 0 || dimensions.y <= 0) {
        return false;
    }
    return constructTexture(name, pixels, static_cast<unsigned>(dimensions.x),
                            static_cast<unsigned>(dimensions.y), BitmapData::FORMAT_RGBA);
}

bool RocketRenderInterface::constructTexture(HashString name, const unsigned char* pixels,
                                             unsigned width, unsigned height, uint32_t format) {
    TextureManager* textures = TextureManager::instance_;
    if (textures == nullptr || pixels == nullptr || width == 0 || height == 0) {
        return false;
    }
    const std::size_t pixelBytes = format == BitmapData::FORMAT_RGB ? 3 : 4;
    const std::size_t rowBytes = std::size_t(width) * pixelBytes;
    const std::size_t size = rowBytes * height;
    if (size > UINT32_MAX) {
        return false;
    }
    std::unique_ptr<unsigned char[]> bitmap(new (std::nothrow) unsigned char[size]());
    if (!bitmap) {
        return false;
    }
    // GL takes the first row as the bottom one; texture coordinates count v from the top.
    for (unsigned row = 0; row < height; ++row) {
        std::memcpy(bitmap.get() + std::size_t(height - 1 - row) * rowBytes,
                    pixels + std::size_t(row) * rowBytes, rowBytes);
    }

    Array<HashString> names;
    names.pushBack(name);
    BitmapManager bitmaps;
    Array<BitmapData> records;
    records.pushBack(BitmapData(width, height, format, static_cast<uint32_t>(size), bitmap.get()));
    TextureData description;
    // Glyphs and images are drawn scaled: nearest sampling would break them up.
    description.filterMode = TextureData::FILTER_LINEAR;
    description.bitmapNames.pushBack(name);
    Array<TextureData> descriptions;
    descriptions.pushBack(description);
    if (!bitmaps.createGroup(bitmaps.getStaticStore(), name) ||
        !bitmaps.insertGroup(bitmaps.getStaticStore(), name, names, records) ||
        !textures->createGroup(textures->getStaticStore(), name)) {
        return false;
    }
    const bool made = textures->insertStaticGroup(name, names, descriptions, bitmaps);
    bitmaps.removeGroup(bitmaps.getStaticStore(), name);
    if (!made || !generatedTextures.pushBack(name.getHash())) {
        textures->removeGroup(textures->getStaticStore(), name);
        return false;
    }
    if (!constructAndAddMaterial(name)) {
        releaseGenerated(generatedTextures.size() - 1);
        return false;
    }
    return true;
}

bool RocketRenderInterface::constructAndAddMaterial(HashString name) {
    const int existing = findContructedMaterialName(name);
    if (existing >= 0) {
        ++materialUses[static_cast<std::size_t>(existing)].uses;
        return true;
    }
    MaterialManager* materials = MaterialManager::instance_;
    if (materials == nullptr) {
        return false;
    }
    // The run-time part: it has no lookup, so game code never finds a UI material by name.
    DynamicDataManager<Material>& store = *materials;
    Array<Material> items;
    if (!items.pushBack(Material())) {
        return false;
    }
    items[0].shaderName = ROCKET_SHADER;
    items[0].textureSlots.pushBack(textureSlot(name));
    // The group takes over the items' storage, so the record stays where it is now.
    Material* record = items.data();
    Array<HashString> names;
    names.pushBack(name);
    if (!store.createGroup(store.getDynamicStore(), name)) {
        return false;
    }
    if (!store.insertGroup(store.getDynamicStore(), name, names, items) ||
        !materialUses.pushBack(
            MaterialUse{name, 1,
                        boost::shared_ptr<const Material>(
                            record, DynamicDataManager<Material>::sharedPtrDelete)})) {
        store.removeGroup(store.getDynamicStore(), name);
        return false;
    }
    return true;
}

void RocketRenderInterface::constructDefaultMaterial() {
    defaultMaterial.reset(new (0, ZequinAllocation) Material());
    if (defaultMaterial) {
        defaultMaterial->shaderName = ROCKET_SHADER;
        defaultMaterial->textureSlots.pushBack(textureSlot(DEFAULT_WHITE));
    }
}

void RocketRenderInterface::ReleaseTexture(Rocket::Core::TextureHandle handle) {
    const HashString name = HashString::fromHash(static_cast<uint32_t>(handle));
    const int use = findContructedMaterialName(name);
    if (use >= 0) {
        MaterialUse& entry = materialUses[static_cast<std::size_t>(use)];
        // Two handles of one texture (the same file loaded twice) share it to the last.
        if (--entry.uses > 0) {
            return;
        }
        releaseMaterial(static_cast<std::size_t>(use));
    }
    const int generated = findGenerated(name);
    if (generated >= 0) {
        releaseGenerated(static_cast<std::size_t>(generated));
    }
}

void RocketRenderInterface::releaseMaterial(std::size_t use) {
    const HashString name = materialUses[use].name;
    removeAt(materialUses, use);
    if (MaterialManager::instance_ != nullptr) {
        DynamicDataManager<Material>& store = *MaterialManager::instance_;
        store.removeGroup(store.getDynamicStore(), name);
    }
}

void RocketRenderInterface::releaseGenerated(std::size_t index) {
    const HashString name = HashString::fromHash(generatedTextures[index]);
    removeAt(generatedTextures, index);
    if (TextureManager::instance_ != nullptr) {
        TextureManager::instance_->removeGroup(TextureManager::instance_->getStaticStore(), name);
    }
}

int RocketRenderInterface::findGenerated(HashString name) const {
    for (std::size_t i = 0; i < generatedTextures.size(); ++i) {
        if (generatedTextures[i] == name.getHash()) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int RocketRenderInterface::findContructedMaterialName(HashString name) const {
    for (std::size_t i = 0; i < materialUses.size(); ++i) {
        if (materialUses[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace orvo
