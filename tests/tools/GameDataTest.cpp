#include <gtest/gtest.h>

#include <GLES2/gl2.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "core/data/StaticObjectLoader.h"
#include "core/file/BinaryFile.h"
#include "core/file/FileBase.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/opengl/AttributeNames.h"
#include "graphics/shader/ShaderCache.h"
#include "graphics/shader/ShaderManager.h"
#include "graphics/texture/BitmapData.h"
#include "graphics/texture/TextureData.h"
#include "graphics/texture/TextureManager.h"
#include "tests/core/file/TempDirectory.h"
#include "tests/tools/GameDataFixture.h"

using namespace orvo;

namespace {

bool powerOfTwo(uint32_t n) { return n != 0 && (n & (n - 1)) == 0; }

template <class T>
bool loadSet(const std::string& stem, Array<HashString>& ids, Array<T>& records) {
    const ZqString path =
        ZqString(stem.c_str()) + StaticObjectLoader::typeSuffix(StaticRecord<T>::TYPE_NAME);
    return StaticObjectLoader::loadObjects(records, path, 0) > 0 &&
           StaticObjectLoader::loadRemaining(ids, records, path, 0) && ids.size() == records.size();
}

bool unique(const Array<HashString>& ids) {
    std::set<uint32_t> seen;
    for (HashString id : ids) {
        if (!seen.insert(id.getHash()).second) {
            return false;
        }
    }
    return true;
}

// The vertex part an attribute reads, or 0 for a name the renderer gives no pointer.
uint32_t attributePart(HashString name) {
    if (name == a_position) return VertexBufferData::POSITION;
    if (name == a_normal) return VertexBufferData::NORMAL;
    if (name == a_color) return VertexBufferData::COLOUR;
    if (name == a_texCoord0) return VertexBufferData::TEXCOORD0;
    if (name == a_texCoord1) return VertexBufferData::TEXCOORD1;
    return 0;
}

// The texture slot a sampler uniform reads ("s_texture" and the slot), or -1.
int samplerSlot(HashString name) {
    for (int slot = 0; slot < 8; ++slot) {
        if (name == HashString(("s_texture" + std::to_string(slot)).c_str())) {
            return slot;
        }
    }
    return -1;
}

bool isSampler(const ShaderParameter& p) {
    return p.glType == GL_SAMPLER_2D || p.glType == GL_SAMPLER_CUBE;
}

TEST_F(GameDataTest, LightsAreTheFourTheGameLooksUp) {
    const LightManager::DataStore& store =
        GraphicsSystem::instance_->getLightManager()->getDynamicStore();
    ASSERT_EQ(store.index.size(), 4u);
    for (const char* name : LIGHT_NAMES) {
        const boost::shared_ptr<LightData> light =
            GraphicsSystem::instance_->getLightManager()->getLight(HashString(name));
        ASSERT_TRUE(light) << name;
        const float* v = light->values;
        EXPECT_NEAR(v[7] * v[7] + v[8] * v[8] + v[9] * v[9], 1.0f, 1e-5f) << name;
        for (int i = 0; i < 4; ++i) {
            EXPECT_TRUE(v[i] >= 0.0f && v[i] <= 1.0f) << name << " colour " << i;
        }
    }
}

// Sizes, formats, filters and mip chains are those the texture records allow, and every
// texture name is unique across the groups.
TEST_F(GameDataTest, TexturesAreWhatTheTextureRecordsAllow) {
    std::set<uint32_t> names = {HashString("DefaultTexture").getHash(),
                                HashString("DefaultWhiteTexture").getHash()};
    for (const GameTextureGroup& group : GAME_TEXTURE_GROUPS) {
        SCOPED_TRACE(group.folder);
        const std::string stem = std::string(DATA_FOLDER) + group.folder;
        Array<HashString> bitmapIds, textureIds;
        Array<BitmapData> bitmaps;
        Array<TextureData> textures;
        ASSERT_TRUE(loadSet(stem, bitmapIds, bitmaps));
        ASSERT_TRUE(loadSet(stem, textureIds, textures));
        EXPECT_TRUE(unique(bitmapIds));
        for (std::size_t t = 0; t < textures.size(); ++t) {
            EXPECT_TRUE(names.insert(textureIds[t].getHash()).second)
                << "texture " << t << " is named twice";
            EXPECT_TRUE(TextureManager::instance_->staticExists(textureIds[t]));
            const TextureData& texture = textures[t];
            const uint32_t filter = texture.filterMode;
            EXPECT_TRUE(filter == TextureData::FILTER_NEAREST ||
                        filter == TextureData::FILTER_LINEAR ||
                        filter == TextureData::FILTER_MIPMAP);
            ASSERT_FALSE(texture.bitmapNames.empty());
            uint32_t width = 0, height = 0;
            for (std::size_t level = 0; level < texture.bitmapNames.size(); ++level) {
                int found = -1;
                for (std::size_t b = 0; b < bitmapIds.size(); ++b) {
                    found = bitmapIds[b] == texture.bitmapNames[level] ? int(b) : found;
                }
                ASSERT_GE(found, 0) << "texture " << t << " level " << level;
                const BitmapData& bitmap = bitmaps[std::size_t(found)];
                const uint32_t bytesPerPixel = bitmap.format == BitmapData::FORMAT_RGBA ? 4 : 3;
                EXPECT_TRUE(bitmap.format == BitmapData::FORMAT_RGBA ||
                            bitmap.format == BitmapData::FORMAT_RGB);
                EXPECT_EQ(bitmap.pixelSize, bitmap.width * bitmap.height * bytesPerPixel);
                if (level == 0) {
                    EXPECT_TRUE(powerOfTwo(bitmap.width) && powerOfTwo(bitmap.height));
                } else {
                    EXPECT_EQ(bitmap.width, std::max(width / 2, 1u));
                    EXPECT_EQ(bitmap.height, std::max(height / 2, 1u));
                }
                width = bitmap.width;
                height = bitmap.height;
            }
            // A mipmapped texture has every level down to 1 x 1; the others have one.
            if (filter == TextureData::FILTER_MIPMAP) {
                EXPECT_TRUE(width == 1 && height == 1) << "texture " << t;
            } else {
                EXPECT_EQ(texture.bitmapNames.size(), 1u) << "texture " << t;
            }
        }
    }
    EXPECT_TRUE(TextureManager::instance_->staticExists(HashString(HIGHLIGHT_TEXTURE)));
}

// One draw names a loaded program, loaded textures for the program's samplers, and geometry
// that carries what the program reads.
void expectDrawFeedsItsProgram(const Material& material, const VertexBufferData& v,
                               const VertexIndexBufferData& indices) {
    const boost::shared_ptr<ShaderProgram> program =
        ShaderManager::instance_->getShaderProgram(material.shaderName);
    ASSERT_TRUE(program) << "the material's program is not loaded";
    for (const TextureSlotData& slot : material.textureSlots) {
        EXPECT_TRUE(TextureManager::instance_->staticExists(slot.textureName));
    }
    for (const ShaderParameter& uniform : program->data.uniforms) {
        if (isSampler(uniform)) {
            const int slot = samplerSlot(uniform.name);
            EXPECT_TRUE(slot >= 0 && std::size_t(slot) < material.textureSlots.size())
                << "a sampler without its texture slot";
        }
    }
    for (const ShaderParameter& attribute : program->data.attributes) {
        const uint32_t part = attributePart(attribute.name);
        EXPECT_TRUE(part != 0 && (v.formatFlags & part) != 0)
            << "the program reads an attribute the mesh does not carry";
    }
    EXPECT_EQ(v.stride, VertexBufferData::strideOf(v.formatFlags));
    EXPECT_GE(v.dataSize, v.stride * v.vertexCount);
    EXPECT_TRUE(!indices.indices.empty() && indices.indices.size() % 3 == 0);
    for (unsigned short index : indices.indices) {
        ASSERT_LT(index, v.vertexCount);
    }
}

// Every draw of every folder feeds its program, and a highlighted lane's draws (the tile
// mesh's own material: the LANE_HIGHLIGHT program over "greypixel") feed theirs; names are
// unique within their sets, material names across all folders.
TEST_F(GameDataTest, EveryDrawFeedsItsProgram) {
    Material highlight;
    highlight.shaderName = HashString("LANE_HIGHLIGHT");
    highlight.textureSlots.pushBack(
        TextureSlotData{HashString(HIGHLIGHT_TEXTURE), {0, 1, 0, 0, 0, 0, 0}});
    std::set<uint32_t> materials;
    for (const GameModelFolder& folder : MODEL_FOLDERS) {
        SCOPED_TRACE(folder.folder);
        const GameModel& m = model(folder);
        for (const Array<HashString>* ids :
             {&m.vertexIds, &m.indexIds, &m.componentIds, &m.spatialIds, &m.entityIds}) {
            EXPECT_TRUE(unique(*ids));
        }
        for (HashString id : m.materialIds) {
            EXPECT_TRUE(materials.insert(id.getHash()).second) << "a material is named twice";
        }
        for (const GameModel::Piece& piece : m.pieces) {
            for (std::size_t d = 0; d < piece.draws.size(); ++d) {
                SCOPED_TRACE("draw " + std::to_string(d));
                const GameModel::Draw& draw = piece.draws[d];
                expectDrawFeedsItsProgram(*draw.material, *draw.vertices, *draw.indices);
                if (std::string(folder.folder) == TILE_SET.folder) {
                    expectDrawFeedsItsProgram(highlight, *draw.vertices, *draw.indices);
                }
            }
        }
    }
}

// Checked against the game's own updaters: a uniform without one keeps whatever GL holds, and
// one of another type gets the wrong upload.
TEST_F(GameDataTest, EveryUniformHasAnUpdaterOfItsType) {
    for (std::size_t i = 0; i < GAME_PROGRAMS.size(); ++i) {
        SCOPED_TRACE(GAME_PROGRAMS[i].name);
        for (const ShaderParameter& uniform : program(i)->data.uniforms) {
            if (isSampler(uniform)) {
                EXPECT_GE(samplerSlot(uniform.name), 0) << "a sampler the renderer never sets";
                continue;
            }
            const boost::shared_ptr<BaseShaderParameterUpdater> found =
                ShaderCache::findUpdater(uniform.name, ShaderCache::instance_->getRegistry());
            ASSERT_TRUE(found) << "a uniform without updater: " << std::hex
                               << uniform.name.getHash();
            EXPECT_EQ(found->getValueType(), uniform.type)
                << "uniform " << std::hex << uniform.name.getHash();
        }
    }
}

TEST_F(GameDataTest, TileSetHoldsTheFourLanes) {
    const GameModel& tiles = model(TILE_SET);
    EXPECT_EQ(tiles.pieces.size(), 4u);
    for (const char* lane : LANE_ENTITIES) {
        EXPECT_GE(tiles.findPiece(lane), 0) << lane;
    }
}

std::string archiveText(const char* path) {
    BinaryFile file;
    if (!file.open(path)) {
        return std::string();
    }
    std::string text(file.size(), '\0');
    file.read(&text[0], 1, uint32_t(text.size()));
    return text;
}

// The bend is one piece of text that every world program's vertex source holds.
TEST(GameDataSources, WorldShadersShareOneBend) {
    std::ifstream snippetFile(TRELLIN_SOURCE_FOLDER "/data/shaders/include/curvature.glsl");
    std::stringstream snippet;
    snippet << snippetFile.rdbuf();
    ASSERT_FALSE(snippet.str().empty());
    FileBase::setRootPath(TRELLIN_RUN_FOLDER "/app/native/trellin.pak");
    for (const GameProgram& p : GAME_PROGRAMS) {
        const std::string source = archiveText((std::string(SHADER_FOLDER) + p.vertexFile).c_str());
        ASSERT_FALSE(source.empty()) << p.vertexFile;
        EXPECT_EQ(source.find(snippet.str()) != std::string::npos, p.bent) << p.vertexFile;
        EXPECT_EQ(source.find("gl_Position = bendWorld(") != std::string::npos, p.bent)
            << p.vertexFile;
    }
    trellin_test::TempDirectory::resetFileState();
}

}  // namespace
