#include <gtest/gtest.h>

#include <GLES2/gl2.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "core/data/StaticObjectLoader.h"
#include "core/file/BinaryFile.h"
#include "core/file/FileBase.h"
#include "core/maths/ZqMaths.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/ZqVectorOps.h"
#include "graphics/opengl/AttributeNames.h"
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
    for (const GameModelFolder& folder : GAME_MODELS) {
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

TEST_F(GameDataTest, EveryUniformHasAnUpdaterOfItsType) {
    for (std::size_t i = 0; i < sizeof(GAME_PROGRAMS) / sizeof(GAME_PROGRAMS[0]); ++i) {
        SCOPED_TRACE(GAME_PROGRAMS[i].name);
        for (const ShaderParameter& uniform : program(i)->data.uniforms) {
            if (isSampler(uniform)) {
                EXPECT_GE(samplerSlot(uniform.name), 0) << "a sampler the renderer never sets";
                continue;
            }
            const boost::shared_ptr<BaseShaderParameterUpdater>* found = nullptr;
            for (const auto& updater : updaters) {
                found = updater->getName() == uniform.name ? &updater : found;
            }
            ASSERT_NE(found, nullptr) << "a uniform without updater";
            EXPECT_EQ((*found)->getValueType(), uniform.type)
                << "uniform " << (*found)->getName().getHash();
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

// A unit square facing +X (towards the scene camera) around its origin.
struct Square {
    boost::shared_ptr<VertexBufferData> vertices;
    boost::shared_ptr<VertexIndexBufferData> indices;

    explicit Square(const ZqVector<3>& normal) {
        Array<PrimitiveData> positions;
        Array<NormalData> normals;
        Array<TextureCoordinateData> uv, uv1;
        Array<VertexColorData> colours;
        const float corners[4][2] = {{-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}};
        for (const auto& c : corners) {
            // Lying in the X/Z plane with normal +Y, or standing in Y/Z facing +X.
            positions.pushBack(normal.y != 0.0f ? PrimitiveData{c[0], 0.0f, -c[1]}
                                                : PrimitiveData{0.0f, c[1], -c[0]});
            normals.pushBack(NormalData{normal.x, normal.y, normal.z});
            uv.pushBack(TextureCoordinateData{c[0] + 0.5f, c[1] + 0.5f});
        }
        vertices.reset(new VertexBufferData(positions, normals, uv, uv1, colours));
        Array<unsigned short> list;
        for (unsigned short i : {0, 1, 2, 0, 2, 3}) {
            list.pushBack(i);
        }
        indices.reset(new VertexIndexBufferData(list));
    }
};

boost::shared_ptr<Material> whiteMaterial(const char* program, float emissive) {
    boost::shared_ptr<Material> m(new Material());
    m->shaderName = HashString(program);
    m->emissiveLevel = emissive;
    m->textureSlots.pushBack(
        TextureSlotData{HashString("DefaultWhiteTexture"), {0, 1, 0, 0, 0, 0, 0}});
    return m;
}

// The middle of the pixels that are not black, or false when all are.
bool litCentre(const Screenshot& shot, float& x, float& y) {
    double sx = 0, sy = 0, n = 0;
    for (int py = 0; py < shot.height; ++py) {
        for (int px = 0; px < shot.width; ++px) {
            if (shot.rgb(px, py) != 0) {
                sx += px + 0.5;
                sy += py + 0.5;
                n += 1;
            }
        }
    }
    x = float(sx / n);
    y = float(sy / n);
    return n > 0;
}

// Every program that draws the world bends it the same way, as the curvature snippet says;
// the others do not bend. A square far ahead lands where the snippet's formula puts it.
TEST_F(GameDataTest, WorldProgramsBendAlike) {
    const Square square(ZqVector<3>(1, 0, 0));
    Shot shot;
    shot.curvatureZ = 900.0f;
    scene.curvatureZ = shot.curvatureZ;
    const ZqVector<3> at = shot.player + ZqVector<3>(-40.0f, 0.0f, 0.0f);
    boost::shared_ptr<ZqMatrix<4, 4>> world(new ZqMatrix<4, 4>());
    (*world)[3] = at.x;
    (*world)[7] = at.y;
    (*world)[11] = at.z;
    for (const GameProgram& p : GAME_PROGRAMS) {
        SCOPED_TRACE(p.name);
        placeCamera(shot);
        float bentX = 0, bentY = 0, flatX = 0, flatY = 0;
        ASSERT_TRUE(project(at, bentX, bentY));
        scene.curvatureFactor = 0.0f;
        ASSERT_TRUE(project(at, flatX, flatY));
        scene.curvatureFactor = 1400.0f;
        ASSERT_GT(std::hypot(bentX - flatX, bentY - flatY), 20.0f);
        target().setBackgroundClearColor(ZqColorRoot<float>{0, 0, 0, 1});
        target().startFrame();
        GraphicsSystem::instance_->drawStaticItem(whiteMaterial(p.name, 1.0f), square.vertices,
                                                  square.indices, world);
        float x = 0, y = 0;
        const bool drawn = litCentre(Screenshot::capture(WIDTH, HEIGHT), x, y);
        target().endFrame();
        ASSERT_TRUE(drawn);
        EXPECT_NEAR(x, p.bent ? bentX : flatX, 1.5f);
        EXPECT_NEAR(y, p.bent ? bentY : flatY, 1.5f);
    }
}

// Normals reach the light through the world matrix as the renderer hands it over: a square
// turned to face the camera is lit by a light shining away from the camera, and the same
// square turned away is not.
TEST_F(GameDataTest, NormalsTurnWithTheWorldMatrix) {
    LightManager& lights = *GraphicsSystem::instance_->getLightManager();
    for (auto& entry : lights.getDynamicStore().index) {
        float* v = entry.record->values;
        const bool key = entry.id == HashString("diffuseLight");
        for (int i = 0; i < 3; ++i) {
            v[i] = key ? 1.0f : 0.0f;
        }
        v[7] = key ? -1.0f : 0.0f;
        v[8] = key ? 0.0f : -1.0f;
        v[9] = 0.0f;
    }
    const Square square(ZqVector<3>(0, 1, 0));
    Shot shot;
    shot.curvatureZ = 0.0f;
    scene.curvatureFactor = 0.0f;
    placeCamera(shot);
    const ZqVector<3> at = shot.player + ZqVector<3>(-6.0f, 0.5f, 0.0f);
    float x = 0, y = 0;
    ASSERT_TRUE(project(at, x, y));
    // The square turned away shows its back.
    target().disableBackFaceCulling();
    uint32_t seen[2] = {0, 0};
    for (int turn = 0; turn < 2; ++turn) {
        // About Z by -90 degrees the normal +Y turns to +X, by +90 degrees to -X.
        const float angle = (turn == 0 ? -90.0f : 90.0f) * ZqMaths::DEGREES_TO_RADIANS;
        boost::shared_ptr<ZqMatrix<4, 4>> world(new ZqMatrix<4, 4>(0.0f, 0.0f, angle));
        (*world)[3] = at.x;
        (*world)[7] = at.y;
        (*world)[11] = at.z;
        target().setBackgroundClearColor(ZqColorRoot<float>{0, 0, 1, 1});
        target().startFrame();
        GraphicsSystem::instance_->drawStaticItem(whiteMaterial("DEFAULT_SHADER", 0.0f),
                                                  square.vertices, square.indices, world);
        seen[turn] = Screenshot::capture(WIDTH, HEIGHT).rgb(int(x), int(y));
        target().endFrame();
    }
    EXPECT_EQ(seen[0], 0xFFFFFFu) << std::hex << seen[0];
    EXPECT_EQ(seen[1], 0x000000u) << std::hex << seen[1];
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
