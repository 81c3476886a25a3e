#include <GLES2/gl2.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/data/StaticObjectLoader.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/shader/ShaderManager.h"
#include "graphics/texture/TextureLoader.h"
#include "graphics/texture/TextureManager.h"
#include "graphics/vertex/VertexBufferData.h"
#include "graphics/vertex/VertexIndexBufferData.h"
#include "tests/core/file/TempDirectory.h"
#include "tests/graphics/GraphicsTestContext.h"
#include "tools/datawriter/StaticObjectWriter.h"

using namespace orvo;

namespace {

const char* const TEXTURE_FRAGMENT = R"(#version 100
precision mediump float;
uniform sampler2D s_texture0;
varying vec2 v_uv;
void main() {
    gl_FragColor = texture2D(s_texture0, v_uv);
}
)";

const HashString TEXTURED("textured");

// 0xRRGGBBAA of RGBA bytes.
uint32_t rgba(const unsigned char* p, bool alpha = true) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 |
           (alpha ? p[3] : 255u);
}

class TextureGroupTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        FileBase::setRootPath(dir.path().c_str());
        ASSERT_TRUE(ShaderManager::instance_->addShaderProgram(
            TEXTURED, reinterpret_cast<const unsigned char*>(TEXTURE_VERTEX_SOURCE),
            reinterpret_cast<const unsigned char*>(TEXTURE_FRAGMENT), ZqString(), ZqString()));
        quad = screenQuad();
    }

    // The whole screen, texture coordinate (0, 0) at the bottom left; built from separate
    // parts by the vertex-block builder.
    static TestGeometry screenQuad() {
        Array<PrimitiveData> positions;
        Array<NormalData> normals;
        Array<TextureCoordinateData> uv;
        Array<TextureCoordinateData> uv1;
        Array<VertexColorData> colours;
        const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        for (const auto& c : corners) {
            positions.pushBack(PrimitiveData{c[0] * 2 - 1, c[1] * 2 - 1, 0});
            uv.pushBack(TextureCoordinateData{c[0], c[1]});
        }
        Array<unsigned short> indices;
        for (unsigned short i : {0, 1, 2, 0, 2, 3}) {
            indices.pushBack(i);
        }
        TestGeometry g;
        g.vertices.reset(new VertexBufferData(positions, normals, uv, uv1, colours));
        g.indices.reset(new VertexIndexBufferData(indices));
        return g;
    }

    // Draws the texture over the screen and reads the pixel at (x, y) of a 1024 x 600 frame.
    uint32_t sample(HashString texture, int x, int y) {
        boost::shared_ptr<Material> m = material(TEXTURED);
        TextureSlotData slot = {};
        slot.textureName = texture;
        m->textureSlots.pushBack(slot);
        target().startFrame();
        GraphicsSystem::instance_->drawStaticItem(m, quad.vertices, quad.indices,
                                                  boost::shared_ptr<ZqMatrix<4, 4>>());
        const uint32_t p = pixel(x, y);
        target().endFrame();
        return p;
    }

    template <class T>
    void writeSet(const std::string& path, const std::vector<std::string>& names, const T* records,
                  std::size_t count) {
        trellin::StaticObjectFiles files;
        std::string error;
        ASSERT_TRUE(trellin::buildStaticObjects(names, records, count, files, error)) << error;
        const std::string stem =
            dir / (path + StaticObjectLoader::typeSuffix(StaticRecord<T>::TYPE_NAME).c_str());
        ASSERT_TRUE(trellin::writeStaticObjects(stem, files, error)) << error;
    }

    // A group holding one texture of a single RGBA texel, built from memory.
    static void addTexel(HashString group, HashString name, uint32_t texel) {
        unsigned char bytes[4] = {
            static_cast<unsigned char>(texel >> 24), static_cast<unsigned char>(texel >> 16),
            static_cast<unsigned char>(texel >> 8), static_cast<unsigned char>(texel)};
        BitmapData record[1] = {BitmapData(1, 1, BitmapData::FORMAT_RGBA, 4, bytes)};
        Array<BitmapData> bitmaps = Array<BitmapData>::view(record, 1);
        Array<HashString> bitmapNames;
        bitmapNames.pushBack(name);
        Array<TextureData> textures;
        TextureData texture;
        texture.filterMode = TextureData::FILTER_NEAREST;
        texture.bitmapNames.pushBack(name);
        textures.pushBack(texture);
        Array<HashString> names;
        names.pushBack(name);
        ASSERT_EQ(TextureLoader::loadTextures(group, bitmapNames, bitmaps, names, textures).size(),
                  1u);
    }

    trellin_test::TempDirectory dir;
    TestGeometry quad;
};

GLuint boundTexture() {
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    return static_cast<GLuint>(bound);
}

}  // namespace

TEST_F(TextureGroupTest, GroupFromFilesIsUploadedAndSampled) {
    // 2 x 2 RGBA with a 1 x 1 second level; 3 x 2 RGB, whose 9-byte rows are not 4-aligned.
    unsigned char checker[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 0, 255};
    unsigned char small[4] = {9, 9, 9, 255};
    unsigned char rgb[18] = {10,  20,  30,  40,  50,  60,  70,  80,  90,
                             100, 110, 120, 130, 140, 150, 160, 170, 180};
    const BitmapData bitmaps[3] = {BitmapData(2, 2, BitmapData::FORMAT_RGBA, 16, checker),
                                   BitmapData(1, 1, BitmapData::FORMAT_RGBA, 4, small),
                                   BitmapData(3, 2, BitmapData::FORMAT_RGB, 18, rgb)};
    writeSet("Textures/Test", {"checker0", "checker1", "rgb0"}, bitmaps, 3);
    TextureData textures[2];
    textures[0].filterMode = TextureData::FILTER_NEAREST;
    textures[0].bitmapNames.pushBack(HashString("checker0"));
    textures[0].bitmapNames.pushBack(HashString("checker1"));
    textures[1].filterMode = TextureData::FILTER_NEAREST;
    textures[1].bitmapNames.pushBack(HashString("rgb0"));
    writeSet("Textures/Test", {"checker", "rgb"}, textures, 2);

    const Array<HashString> names = TextureLoader::loadTextures("test group", "Textures/Test");
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], HashString("checker"));
    const boost::shared_ptr<TextureInfo> info = TextureManager::instance_->getStatic("checker");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->width, 2u);
    EXPECT_EQ(info->height, 2u);
    EXPECT_EQ(info->format, 1u);
    EXPECT_EQ(info->filterMode, 1u);
    EXPECT_EQ(TextureManager::instance_->getStatic("rgb")->format, 2u);

    // Texel row 0 lies at the bottom of the frame.
    EXPECT_EQ(sample("checker", 100, 100), rgba(checker));
    EXPECT_EQ(sample("checker", 900, 100), rgba(checker + 4));
    EXPECT_EQ(sample("checker", 100, 500), rgba(checker + 8));
    EXPECT_EQ(sample("checker", 900, 500), rgba(checker + 12));
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            SCOPED_TRACE(row * 3 + column);
            EXPECT_EQ(sample("rgb", 170 + column * 341, 150 + row * 300),
                      rgba(rgb + (row * 3 + column) * 3, false));
        }
    }

    const GLuint glName = info->glName;
    ASSERT_TRUE(glIsTexture(glName));
    ASSERT_TRUE(TextureManager::instance_->removeGroup(TextureManager::instance_->getStaticStore(),
                                                       "test group"));
    EXPECT_FALSE(glIsTexture(glName));
}

TEST_F(TextureGroupTest, FailedLoadsLeaveNoGroup) {
    EXPECT_TRUE(TextureLoader::loadTextures("absent", "Textures/Missing").empty());
    EXPECT_TRUE(TextureManager::instance_->getStaticStore().groupNames.empty());

    // Bitmaps but no textures in memory: nothing is built, no group is left behind.
    unsigned char pixels[4] = {1, 2, 3, 4};
    BitmapData bitmapRecords[1] = {BitmapData(1, 1, BitmapData::FORMAT_RGBA, 4, pixels)};
    Array<BitmapData> bitmaps = Array<BitmapData>::view(bitmapRecords, 1);
    Array<HashString> bitmapNames;
    bitmapNames.pushBack("pixel");
    Array<TextureData> none;
    EXPECT_TRUE(
        TextureLoader::loadTextures("g", bitmapNames, bitmaps, Array<HashString>(), none).empty());
    EXPECT_TRUE(TextureManager::instance_->getStaticStore().groupNames.empty());
}

TEST_F(TextureGroupTest, LoadsFromMemoryRestoreTheBindingAndSkipBadLevels) {
    TextureManager::instance_->initialise(0xFFFF00FFu);
    const GLuint before = TextureManager::instance_->getStatic(DEFAULT_WHITE)->glName;
    glBindTexture(GL_TEXTURE_2D, before);

    unsigned char pixels[16] = {1, 2, 3, 255, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    // A record claiming more pixels than it holds; a level naming no bitmap.
    BitmapData bitmapRecords[2] = {BitmapData(2, 2, BitmapData::FORMAT_RGBA, 16, pixels),
                                   BitmapData(64, 64, BitmapData::FORMAT_RGBA, 16, pixels)};
    Array<BitmapData> bitmaps = Array<BitmapData>::view(bitmapRecords, 2);
    Array<HashString> bitmapNames;
    bitmapNames.pushBack("good");
    bitmapNames.pushBack("short");
    Array<TextureData> textures(0);
    for (const char* level : {"good", "short"}) {
        TextureData t;
        t.filterMode = TextureData::FILTER_NEAREST;
        t.bitmapNames.pushBack(level);
        if (std::strcmp(level, "good") == 0) {
            t.bitmapNames.pushBack("nowhere");
        }
        textures.pushBack(t);
    }
    Array<HashString> names;
    names.pushBack("a");
    names.pushBack("b");
    const Array<HashString> made =
        TextureLoader::loadTextures("mem", bitmapNames, bitmaps, names, textures);
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(boundTexture(), before);
    EXPECT_EQ(sample("a", 100, 100), 0x010203FFu);
    // Only uploaded levels are recorded: "b" has none.
    const boost::shared_ptr<TextureInfo> a = TextureManager::instance_->getStatic("a");
    EXPECT_EQ(a->format, 1u);
    EXPECT_EQ(a->width, 2u);
    const boost::shared_ptr<TextureInfo> b = TextureManager::instance_->getStatic("b");
    EXPECT_EQ(b->format, 0u);
    EXPECT_EQ(b->width, 0u);
    EXPECT_EQ(b->height, 0u);

    // Loading into a group that holds textures fails and keeps them.
    Array<BitmapData> again = Array<BitmapData>::view(bitmapRecords, 2);
    Array<TextureData> moreTextures;
    moreTextures.pushBack(TextureData());
    Array<HashString> oneName;
    oneName.pushBack("c");
    EXPECT_TRUE(
        TextureLoader::loadTextures("mem", bitmapNames, again, oneName, moreTextures).empty());
    EXPECT_TRUE(TextureManager::instance_->staticExists("a"));
    EXPECT_FALSE(TextureManager::instance_->staticExists("c"));
}

TEST_F(TextureGroupTest, BuiltInTexturesAreMadeOnce) {
    TextureManager::instance_->initialise(0xFFFF00FFu);
    const GLuint first = TextureManager::instance_->getStatic(DEFAULT_TEXTURE)->glName;
    TextureManager::instance_->initialise(0xFF00FF00u);
    EXPECT_EQ(TextureManager::instance_->getStatic(DEFAULT_TEXTURE)->glName, first);
    EXPECT_EQ(TextureManager::instance_->getStaticStore().index.size(), 2u);
    EXPECT_EQ(TextureManager::instance_->getStatic(DEFAULT_TEXTURE)->width, 32u);
    EXPECT_EQ(sample(DEFAULT_TEXTURE, 500, 300), 0xFF00FFFFu);
    EXPECT_EQ(sample(DEFAULT_WHITE, 500, 300), 0xFFFFFFFFu);
    TextureManager::instance_->uninitialise();
    EXPECT_FALSE(TextureManager::instance_->staticExists(DEFAULT_TEXTURE));
    EXPECT_FALSE(glIsTexture(first));
}

TEST_F(TextureGroupTest, TexturesMadeAndDeletedBetweenDrawsDoNotStaleTheRenderersBinds) {
    const uint32_t red = 0xFF0000FFu;
    const uint32_t green = 0x00FF00FFu;
    addTexel("red group", "red", red);
    EXPECT_EQ(sample("red", 500, 300), red);

    // Making render-target textures binds them.
    Array<HashString> names;
    names.pushBack("target");
    Array<TextureInfo> templates;
    templates.pushBack(TextureInfo{0, BitmapData::FORMAT_RGBA, 4, 4, 1});
    ASSERT_TRUE(TextureManager::instance_->insertTextureTemplateGroup("targets", names, templates));
    EXPECT_EQ(sample("red", 500, 300), red);

    // A deleted texture's GL name goes to the next texture made, as a UI font texture
    // released and made again meets it.
    const GLuint redName = TextureManager::instance_->getStatic("red")->glName;
    ASSERT_TRUE(TextureManager::instance_->removeGroup(TextureManager::instance_->getStaticStore(),
                                                       "red group"));
    addTexel("green group", "green", green);
    ASSERT_EQ(TextureManager::instance_->getStatic("green")->glName, redName);
    EXPECT_EQ(sample("green", 500, 300), green);
}

TEST_F(TextureGroupTest, SlotNamingAMissingTextureSamplesWhite) {
    TextureManager::instance_->initialise(0xFFFF00FFu);
    addTexel("red group", "red", 0xFF0000FFu);
    EXPECT_EQ(sample("red", 500, 300), 0xFF0000FFu);
    EXPECT_EQ(sample("nowhere", 500, 300), 0xFFFFFFFFu);
}
