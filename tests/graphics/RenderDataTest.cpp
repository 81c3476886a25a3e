#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/data/StaticObjectLoader.h"
#include "core/file/FileBase.h"
#include "graphics/material/LightManager.h"
#include "graphics/material/MaterialManager.h"
#include "graphics/texture/BitmapData.h"
#include "graphics/texture/TextureData.h"
#include "graphics/texture/TextureManager.h"
#include "graphics/texture/TextureUpload.h"
#include "graphics/vertex/VertexBufferData.h"
#include "graphics/vertex/VertexBufferManager.h"
#include "graphics/vertex/VertexIndexBufferData.h"
#include "tests/core/file/TempDirectory.h"
#include "tools/datawriter/StaticObjectWriter.h"

using namespace orvo;

namespace {

// Writes records with the data writer and loads them back with the static object loader.
class RecordRoundTrip : public ::testing::Test {
protected:
    void SetUp() override { FileBase::setRootPath(dir.path().c_str()); }

    template <class T>
    void writeSet(const std::string& group, const std::vector<std::string>& names, const T* records,
                  std::size_t count) {
        trellin::StaticObjectFiles files;
        std::string error;
        ASSERT_TRUE(trellin::buildStaticObjects(names, records, count, files, error)) << error;
        ASSERT_TRUE(trellin::writeStaticObjects(
            trellin::staticObjectStem(dir / group, StaticRecord<T>::TYPE_NAME), files, error))
            << error;
    }

    template <class T>
    void load(const std::string& group, Array<HashString>& ids, Array<T>& loaded,
              std::size_t count) {
        const ZqString stem = ZqString((group + "/").c_str()) + StaticRecord<T>::TYPE_NAME +
                              StaticObjectLoader::typeSuffix(StaticRecord<T>::TYPE_NAME);
        ASSERT_EQ(StaticObjectLoader::loadObjects(loaded, stem, 0), long(count));
        ASSERT_TRUE(StaticObjectLoader::loadRemaining(ids, loaded, stem, 0));
        ASSERT_EQ(ids.size(), count);
    }

    trellin_test::TempDirectory dir;
};

TextureSlotData slot(const char* name) {
    TextureSlotData s = {};
    s.textureName = HashString(name);
    s.unused[1] = 1;
    return s;
}

}  // namespace

TEST(RecordLayout, TypeSuffixesOfTheStoredFiles) {
    EXPECT_EQ(StaticObjectLoader::typeSuffix(StaticRecord<Material>::TYPE_NAME), "_Te0eac8aa");
    EXPECT_EQ(StaticObjectLoader::typeSuffix(StaticRecord<LightData>::TYPE_NAME), "_T7d637191");
    EXPECT_EQ(StaticObjectLoader::typeSuffix(StaticRecord<BitmapData>::TYPE_NAME), "_Tbe0bed5c");
    EXPECT_EQ(StaticObjectLoader::typeSuffix(StaticRecord<TextureData>::TYPE_NAME), "_T1925b70f");
    EXPECT_EQ(StaticObjectLoader::typeSuffix(StaticRecord<VertexBufferData>::TYPE_NAME),
              "_T461abc5f");
    EXPECT_EQ(StaticObjectLoader::typeSuffix(StaticRecord<VertexIndexBufferData>::TYPE_NAME),
              "_T409088ba");
}

TEST_F(RecordRoundTrip, MaterialsKeepTheirValuesAndSlotViews) {
    Material written[2];
    written[0].diffuseColour[1] = 0.5f;
    written[0].specularFactor = 2.0f;
    written[0].specularPower = 8.0f;
    written[0].emissiveLevel = 0.25f;
    written[0].textureSlots.pushBack(slot("a"));
    written[0].textureSlots.pushBack(slot("b"));
    written[1].shaderName = HashString("LIT");
    writeSet("Tiles", {"first", "second"}, written, 2);

    Array<HashString> ids;
    Array<Material> loaded;
    load("Tiles", ids, loaded, 2);
    EXPECT_EQ(ids[0], HashString("first"));
    EXPECT_EQ(loaded[0].diffuseColour[0], 1.0f);
    EXPECT_EQ(loaded[0].diffuseColour[1], 0.5f);
    EXPECT_EQ(loaded[0].specularFactor, 2.0f);
    EXPECT_EQ(loaded[0].specularPower, 8.0f);
    EXPECT_EQ(loaded[0].emissiveLevel, 0.25f);
    EXPECT_EQ(loaded[0].shaderName, HashString("NO_SHADER"));
    ASSERT_EQ(loaded[0].textureSlots.size(), 2u);
    EXPECT_EQ(loaded[0].textureSlots[1].textureName, HashString("b"));
    EXPECT_EQ(loaded[0].textureSlots[1].unused[1], 1u);
    EXPECT_EQ(loaded[1].shaderName, HashString("LIT"));
    EXPECT_TRUE(loaded[1].textureSlots.empty());

    // Found by name through the service; the loaded block is freed once, with the group.
    MaterialManager materials;
    ASSERT_TRUE(
        materials.StaticDataManager<Material>::createGroup(materials.getStaticStore(), "tiles"));
    ASSERT_TRUE(materials.StaticDataManager<Material>::insertGroup(materials.getStaticStore(),
                                                                   "tiles", ids, loaded));
    ASSERT_TRUE(materials.staticExists("second"));
    EXPECT_EQ(materials.getStatic("second")->shaderName, HashString("LIT"));
    EXPECT_FALSE(materials.staticExists("third"));
    EXPECT_FALSE(materials.getStatic("third"));
    EXPECT_TRUE(
        materials.StaticDataManager<Material>::removeGroup(materials.getStaticStore(), "tiles"));
}

TEST_F(RecordRoundTrip, LightsFoundByName) {
    LightData lights[2];
    for (int i = 0; i < 11; ++i) {
        lights[0].values[i] = float(i);
        lights[1].values[i] = float(-i);
    }
    writeSet("Lights", {"ambientLight", "diffuseLight"}, lights, 2);
    Array<HashString> ids;
    Array<LightData> loaded;
    load("Lights", ids, loaded, 2);

    LightManager manager;
    ASSERT_TRUE(manager.createGroup(manager.getDynamicStore(), "LUDRA_LIGHTS"));
    ASSERT_TRUE(manager.insertGroup(manager.getDynamicStore(), "LUDRA_LIGHTS", ids, loaded));
    const Array<LightManager::IdPtr>& index = manager.getDynamicStore().index;
    ASSERT_EQ(index.size(), 2u);
    for (const LightManager::IdPtr& entry : index) {
        const float sign = entry.id == HashString("diffuseLight") ? -1.0f : 1.0f;
        EXPECT_EQ(entry.record->values[9], 9.0f * sign);
    }
    ASSERT_TRUE(manager.getLight("diffuseLight"));
    EXPECT_EQ(manager.getLight("diffuseLight")->values[9], -9.0f);
    EXPECT_EQ(manager.getLight("ambientLight")->values[9], 9.0f);
    EXPECT_FALSE(manager.getLight("diffuseLight2"));
    EXPECT_TRUE(manager.removeGroup(manager.getDynamicStore(), "LUDRA_LIGHTS"));
    EXPECT_FALSE(manager.getLight("diffuseLight"));
}

// Bitmaps carry binary blocks: the first record owns the data block, the others point into it.
TEST_F(RecordRoundTrip, BitmapsAndTexturesKeepPixelsAndLevels) {
    unsigned char red[4] = {255, 0, 0, 255};
    unsigned char rgb[6] = {1, 2, 3, 4, 5, 6};
    const BitmapData bitmaps[2] = {BitmapData(1, 1, BitmapData::FORMAT_RGBA, 4, red),
                                   BitmapData(2, 1, BitmapData::FORMAT_RGB, 6, rgb)};
    writeSet("Tex", {"red", "rgb"}, bitmaps, 2);
    TextureData textures[1];
    textures[0].filterMode = TextureData::FILTER_MIPMAP;
    textures[0].bitmapNames.pushBack(HashString("rgb"));
    textures[0].bitmapNames.pushBack(HashString("red"));
    writeSet("Tex", {"tex"}, textures, 1);

    Array<HashString> bitmapIds;
    Array<BitmapData> loadedBitmaps;
    load("Tex", bitmapIds, loadedBitmaps, 2);
    EXPECT_EQ(loadedBitmaps[0].ownsPixels, 1u);
    EXPECT_EQ(loadedBitmaps[1].ownsPixels, 0u);
    EXPECT_EQ(loadedBitmaps[1].width, 2u);
    EXPECT_EQ(loadedBitmaps[1].format, uint32_t(BitmapData::FORMAT_RGB));
    EXPECT_EQ(loadedBitmaps[1].reserved1, 1u);
    ASSERT_EQ(loadedBitmaps[1].pixelSize, 6u);
    EXPECT_EQ(std::memcmp(loadedBitmaps[1].pixels, rgb, 6), 0);
    EXPECT_EQ(std::memcmp(loadedBitmaps[0].pixels, red, 4), 0);

    Array<HashString> textureIds;
    Array<TextureData> loadedTextures;
    load("Tex", textureIds, loadedTextures, 1);
    EXPECT_EQ(loadedTextures[0].filterMode, 4u);
    ASSERT_EQ(loadedTextures[0].bitmapNames.size(), 2u);
    EXPECT_EQ(loadedTextures[0].bitmapNames[0], HashString("rgb"));
}

TEST_F(RecordRoundTrip, VertexAndIndexBlocks) {
    Array<PrimitiveData> positions;
    Array<NormalData> none;
    Array<TextureCoordinateData> uv;
    Array<TextureCoordinateData> noUv;
    Array<VertexColorData> noColours;
    positions.pushBack(PrimitiveData{1, 2, 3});
    positions.pushBack(PrimitiveData{4, 5, 6});
    uv.pushBack(TextureCoordinateData{0.5f, 0.25f});
    uv.pushBack(TextureCoordinateData{1.0f, 0.0f});
    const VertexBufferData blocks[2] = {VertexBufferData(positions, none, uv, noUv, noColours),
                                        VertexBufferData()};
    writeSet("Mesh", {"v0", "v1"}, blocks, 2);
    Array<unsigned short> indexArray;
    for (unsigned short i : {0, 1, 1}) {
        indexArray.pushBack(i);
    }
    const VertexIndexBufferData indices[1] = {VertexIndexBufferData(indexArray)};
    writeSet("Mesh", {"i0"}, indices, 1);

    Array<HashString> ids;
    Array<VertexBufferData> loaded;
    load("Mesh", ids, loaded, 2);
    EXPECT_EQ(loaded[0].formatFlags,
              uint32_t(VertexBufferData::POSITION | VertexBufferData::TEXCOORD0));
    EXPECT_EQ(loaded[0].vertexCount, 2u);
    EXPECT_EQ(loaded[0].stride, 20u);
    ASSERT_EQ(loaded[0].dataSize, 40u);
    EXPECT_EQ(std::memcmp(loaded[0].data, blocks[0].data, 40), 0);
    EXPECT_EQ(loaded[0].ownsData, 1u);
    EXPECT_EQ(loaded[1].dataSize, 0u);
    EXPECT_EQ(loaded[1].data, nullptr);

    VertexBufferManager manager;
    ASSERT_TRUE(
        manager.StaticDataManager<VertexBufferData>::createGroup(manager.getStaticStore(), "mesh"));
    ASSERT_TRUE(manager.StaticDataManager<VertexBufferData>::insertGroup(manager.getStaticStore(),
                                                                         "mesh", ids, loaded));
    EXPECT_EQ(manager.getStatic("v0")->vertexCount, 2u);

    Array<HashString> indexIds;
    Array<VertexIndexBufferData> loadedIndices;
    load("Mesh", indexIds, loadedIndices, 1);
    ASSERT_EQ(loadedIndices[0].indices.size(), 3u);
    EXPECT_EQ(loadedIndices[0].indices[2], 1u);
    EXPECT_TRUE(
        manager.StaticDataManager<VertexBufferData>::removeGroup(manager.getStaticStore(), "mesh"));
}

TEST(VertexBufferData, InterleavesThePresentPartsInTheirFixedOrder) {
    struct Case {
        bool normals, colours, uv0, uv1;
        uint32_t flags, stride;
    };
    const Case cases[] = {
        {false, true, false, false, 9, 16},
        {true, true, true, true, 31, 44},
        {false, true, false, true, 25, 24},
        {true, false, false, true, 28, 32},
    };
    for (const Case& c : cases) {
        Array<PrimitiveData> positions;
        Array<NormalData> normals;
        Array<TextureCoordinateData> uv0;
        Array<TextureCoordinateData> uv1;
        Array<VertexColorData> colours;
        for (int i = 0; i < 2; ++i) {
            const float f = float(i);
            positions.pushBack(PrimitiveData{f, f + 0.5f, f + 0.25f});
            if (c.normals) normals.pushBack(NormalData{-f, 0, 1});
            if (c.colours)
                colours.pushBack(VertexColorData{1, 2, 3, static_cast<unsigned char>(i)});
            if (c.uv0) uv0.pushBack(TextureCoordinateData{f, 7});
            if (c.uv1) uv1.pushBack(TextureCoordinateData{9, f});
        }
        const VertexBufferData block(positions, normals, uv0, uv1, colours);
        SCOPED_TRACE(c.flags);
        EXPECT_EQ(block.formatFlags, c.flags);
        EXPECT_EQ(block.stride, c.stride);
        EXPECT_EQ(block.dataSize, 2 * c.stride);
        EXPECT_EQ(block.reserved, 0u);
        EXPECT_TRUE(positions.empty());  // taken over
        const unsigned char* second = block.data + block.stride;
        float position[3];
        std::memcpy(position, second, sizeof(position));
        EXPECT_EQ(position[1], 1.5f);
        if (c.colours) {
            EXPECT_EQ(second[VertexBufferData::offsetOf(c.flags, VertexBufferData::COLOUR) + 3], 1);
        }
        if (c.uv1) {
            float uv[2];
            std::memcpy(uv,
                        second + VertexBufferData::offsetOf(c.flags, VertexBufferData::TEXCOORD1),
                        sizeof(uv));
            EXPECT_EQ(uv[0], 9.0f);
            EXPECT_EQ(uv[1], 1.0f);
        }
    }
    EXPECT_EQ(VertexBufferData::offsetOf(31, VertexBufferData::NORMAL), 12u);
    EXPECT_EQ(VertexBufferData::offsetOf(31, VertexBufferData::COLOUR), 24u);
    EXPECT_EQ(VertexBufferData::offsetOf(31, VertexBufferData::TEXCOORD0), 28u);
    EXPECT_EQ(VertexBufferData::offsetOf(31, VertexBufferData::TEXCOORD1), 36u);
}

TEST(VertexBufferData, EmptyPositionsAndShortPartsPackNothingUnsafe) {
    Array<PrimitiveData> positions;
    Array<NormalData> normals;
    Array<TextureCoordinateData> uv0;
    Array<TextureCoordinateData> uv1;
    Array<VertexColorData> colours;
    const VertexBufferData empty(positions, normals, uv0, uv1, colours);
    EXPECT_EQ(empty.vertexCount, 0u);
    EXPECT_EQ(empty.dataSize, 0u);
    EXPECT_EQ(empty.data, nullptr);

    // One colour for three positions would be read past its end: the part is left out.
    for (int i = 0; i < 3; ++i) {
        positions.pushBack(PrimitiveData{0, 0, 0});
    }
    colours.pushBack(VertexColorData{1, 1, 1, 1});
    const VertexBufferData shortColours(positions, normals, uv0, uv1, colours);
    EXPECT_EQ(shortColours.formatFlags, uint32_t(VertexBufferData::POSITION));
    EXPECT_EQ(shortColours.dataSize, 36u);
}

TEST(VertexBufferData, BuiltBlocksGoIntoArraysAndGroups) {
    // Run-time geometry is kept in groups, which take over the array the blocks were put in;
    // growing that array copies the blocks already there.
    Array<VertexBufferData> blocks;
    Array<HashString> ids;
    const char* const names[] = {"g0", "g1", "g2", "g3", "g4"};
    for (int i = 0; i < 5; ++i) {
        Array<PrimitiveData> positions;
        Array<NormalData> normals;
        Array<TextureCoordinateData> uv0;
        Array<TextureCoordinateData> uv1;
        Array<VertexColorData> colours;
        positions.pushBack(PrimitiveData{float(i), 0, 0});
        colours.pushBack(VertexColorData{1, 2, 3, 4});
        ASSERT_TRUE(blocks.pushBack(VertexBufferData(positions, normals, uv0, uv1, colours)));
        ids.pushBack(HashString(names[i]));
    }
    auto firstX = [](const VertexBufferData& block) {
        float x = -1;
        std::memcpy(&x, block.data, sizeof(x));
        return x;
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(blocks[i].formatFlags,
                  uint32_t(VertexBufferData::POSITION | VertexBufferData::COLOUR));
        EXPECT_EQ(blocks[i].dataSize, 16u);
        EXPECT_EQ(blocks[i].ownsData, 1u);
        EXPECT_EQ(firstX(blocks[i]), float(i));
    }
    VertexBufferManager manager;
    DataManagerCommon<VertexBufferData>::DataStore& store = manager.getStaticStore();
    ASSERT_TRUE(manager.StaticDataManager<VertexBufferData>::createGroup(store, "geometry"));
    ASSERT_TRUE(
        manager.StaticDataManager<VertexBufferData>::insertGroup(store, "geometry", ids, blocks));
    EXPECT_EQ(firstX(*manager.getStatic("g3")), 3.0f);

    // A copy of a block that views loaded bytes owns a copy of them; so does an assignment.
    unsigned char bytes[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    VertexBufferData view;
    view.formatFlags = VertexBufferData::POSITION;
    view.vertexCount = 1;
    view.stride = 12;
    view.dataSize = 12;
    view.data = bytes;
    VertexBufferData copy(view);
    EXPECT_NE(copy.data, bytes);
    EXPECT_EQ(copy.ownsData, 1u);
    EXPECT_EQ(copy.vertexCount, 1u);
    ASSERT_EQ(copy.dataSize, 12u);
    EXPECT_EQ(std::memcmp(copy.data, bytes, 12), 0);
    copy = *manager.getStatic("g1");
    EXPECT_EQ(copy.dataSize, 16u);
    EXPECT_EQ(firstX(copy), 1.0f);
    EXPECT_NE(copy.data, manager.getStatic("g1")->data);
}

TEST(VertexIndexBufferData, AcquiringAViewSharesIt) {
    unsigned short stored[3] = {2, 1, 0};
    Array<unsigned short> view = Array<unsigned short>::view(stored, 3);
    const VertexIndexBufferData block(view);
    EXPECT_EQ(block.indices.data(), stored);
    EXPECT_EQ(view.data(), stored);
    EXPECT_EQ(view.size(), 3u);
}

TEST(TextureSizes, NearestMultipleOfTileSize) {
    const unsigned cases[][3] = {{5, 8, 8}, {12, 8, 8}, {13, 8, 16}, {16, 8, 16}, {7, 0, 7}};
    for (const auto& c : cases) {
        EXPECT_EQ(TextureManager::getNearestMultipleOfTileSize(c[0], c[1]), c[2])
            << c[0] << " " << c[1];
    }
}

TEST(TextureSizes, LevelBytesCountWholeBlocksAndRefuseOverflow) {
    struct Case {
        uint32_t format, width, height;
        bool ok;
        uint32_t bytes;
    };
    const Case cases[] = {
        {BitmapData::FORMAT_ETC1, 64, 64, true, 2048},
        {BitmapData::FORMAT_ETC1, 2, 2, true, 8},
        {BitmapData::FORMAT_ETC1, 1, 1, true, 8},
        {BitmapData::FORMAT_ETC1, 5, 4, true, 16},
        {BitmapData::FORMAT_RGB, 3, 2, true, 18},
        {BitmapData::FORMAT_RGBA, 3, 2, true, 24},
        {BitmapData::FORMAT_RGBA, 65536, 65536, false, 0},
        {7, 4, 4, false, 0},
    };
    for (const Case& c : cases) {
        uint32_t bytes = 0;
        EXPECT_EQ(TextureUpload::levelBytes(c.format, c.width, c.height, bytes), c.ok)
            << c.format << " " << c.width;
        EXPECT_EQ(bytes, c.bytes);
    }
}
