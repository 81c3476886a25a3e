#include <GLES2/gl2.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "graphics/GraphicsSystem.h"
#include "graphics/camera/GraphicsCamera.h"
#include "graphics/shader/ShaderCache.h"
#include "graphics/shader/ShaderManager.h"
#include "graphics/texture/TextureManager.h"
#include "tests/graphics/GlRecorder.h"
#include "tests/graphics/GraphicsTestContext.h"
#include "tests/graphics/TestUpdater.h"

using namespace orvo;

namespace {

const HashString COLOUR("colour");
const uint32_t GREY = 0x333333FFu;  // the default clear colour, 0.2

boost::shared_ptr<ShaderProgram> addProgram(HashString name, const char* vertex,
                                            const char* fragment) {
    return ShaderManager::instance_->addShaderProgram(
        name, reinterpret_cast<const unsigned char*>(vertex),
        reinterpret_cast<const unsigned char*>(fragment), ZqString(), ZqString());
}

class RenderTargetTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        ASSERT_TRUE(addColourProgram(COLOUR));
        ShaderCache::instance_->addUpdater(boost::shared_ptr<BaseShaderParameterUpdater>(
            new TestUpdater("u_tint", BaseShaderParameterUpdater::CACHE_NONE,
                            ZqVector<4>(1.0f, 1.0f, 1.0f, 1.0f))));
    }

    void draw(const TestGeometry& g, const boost::shared_ptr<Material>& m) {
        GraphicsSystem::instance_->drawStaticItem(m, g.vertices, g.indices,
                                                  boost::shared_ptr<ZqMatrix<4, 4>>());
    }

    void endFrames(int n) {
        for (int i = 0; i < n; ++i) {
            target().endFrame();
        }
    }

    // Empty RGBA textures of that size, one per name, in a new group.
    static bool addTextures(HashString group, std::initializer_list<HashString> textures,
                            uint32_t width, uint32_t height) {
        Array<HashString> names;
        Array<TextureInfo> templates;
        for (HashString name : textures) {
            names.pushBack(name);
            templates.pushBack(TextureInfo{0, 1, width, height, 1});
        }
        return TextureManager::instance_->insertTextureTemplateGroup(group, names, templates);
    }

    // A material of that program with one slot per texture, slot 0 first.
    static boost::shared_ptr<Material> textured(HashString program,
                                                std::initializer_list<HashString> textures) {
        boost::shared_ptr<Material> m = material(program);
        for (HashString texture : textures) {
            TextureSlotData slot = {};
            slot.textureName = texture;
            m->textureSlots.pushBack(slot);
        }
        return m;
    }
};

TEST_F(RenderTargetTest, FrameThroughTheServiceGivesTheExpectedPixels) {
    const TestGeometry left = rectangle(-1.0f, -1.0f, 0.0f, 1.0f, 0xFF0000FFu);
    const TestGeometry topRight = rectangle(0.0f, 0.0f, 1.0f, 1.0f, 0x00FF00FFu);
    target().startFrame();
    draw(left, material(COLOUR));
    draw(topRight, material(COLOUR));
    EXPECT_EQ(pixel(256, 300), 0xFF0000FFu);
    EXPECT_EQ(pixel(768, 450), 0x00FF00FFu);
    EXPECT_EQ(pixel(768, 150), GREY);
    target().endFrame();
    // The next frame starts from the clear colour again.
    target().startFrame();
    EXPECT_EQ(pixel(256, 300), GREY);
}

TEST_F(RenderTargetTest, SizeBeforeAndAfterSetDisplayDimensions) {
    // The fixture sized the target; a fresh one starts at 640 x 480.
    RenderTargetGles2 fresh("fresh");
    EXPECT_EQ(fresh.getCurrentRenderWidth(), 640u);
    EXPECT_EQ(fresh.getCurrentRenderHeight(), 480u);
    GlRecorder::start();
    fresh.setDisplayDimensions(1024, 600);
    ASSERT_EQ(GlRecorder::calls().size(), 2u);
    EXPECT_EQ(GlRecorder::calls()[0].name, "glViewport");
    EXPECT_EQ(GlRecorder::calls()[0].args, (std::vector<long long>{0, 0, 1024, 600}));
    EXPECT_EQ(GlRecorder::calls()[1].name, "glScissor");
    EXPECT_EQ(GlRecorder::calls()[1].args, (std::vector<long long>{0, 0, 1024, 600}));
}

TEST_F(RenderTargetTest, RedundantStateChangesAreFiltered) {
    struct Case {
        const char* what;
        std::function<void(RenderTarget&)> on;
        std::function<void(RenderTarget&)> off;
        std::vector<std::string> onCalls;
        std::vector<std::string> offCalls;
    };
    const std::vector<Case> cases = {
        {"culling",
         [](RenderTarget& t) { t.enableBackFaceCulling(); },
         [](RenderTarget& t) { t.disableBackFaceCulling(); },
         {"glEnable"},
         {"glDisable"}},
        {"blending",
         [](RenderTarget& t) { t.enableAlphaBlending(); },
         [](RenderTarget& t) { t.disableAlphaBlending(); },
         {"glBlendFunc", "glEnable"},
         {"glDisable"}},
        {"depth read",
         [](RenderTarget& t) { t.enableDepthTestRead(); },
         [](RenderTarget& t) { t.disableDepthTestRead(); },
         {"glDepthFunc", "glEnable"},
         {"glDepthFunc", "glDisable"}},
        {"depth write",
         [](RenderTarget& t) { t.enableDepthTestWrite(); },
         [](RenderTarget& t) { t.disableDepthTestWrite(); },
         {"glDepthMask"},
         {"glDepthMask"}},
        {"scissor",
         [](RenderTarget& t) { t.enableScissoring(); },
         [](RenderTarget& t) { t.disableScissoring(); },
         {"glEnable"},
         {"glDisable"}},
        {"alpha test",
         [](RenderTarget& t) { t.enableAlphaTest(); },
         [](RenderTarget& t) { t.disableAlphaTest(); },
         {"glBlendFunc", "glEnable"},
         {"glDisable"}},
    };
    auto names = [] {
        std::vector<std::string> out;
        for (const GlCall& call : GlRecorder::calls()) {
            out.push_back(call.name);
        }
        return out;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.off(target());
        GlRecorder::start();
        c.on(target());
        c.on(target());
        EXPECT_EQ(names(), c.onCalls);
        GlRecorder::start();
        c.off(target());
        c.off(target());
        EXPECT_EQ(names(), c.offCalls);
    }
}

TEST_F(RenderTargetTest, ClearMasks) {
    GlRecorder::start();
    target().startFrame();
    target().clearScreen(false, false);
    target().clearScreen(true, false);
    const std::vector<GlCall> clears = GlRecorder::named("glClear");
    ASSERT_EQ(clears.size(), 3u);
    EXPECT_EQ(clears[0].args[0], GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    EXPECT_EQ(clears[1].args[0], 0);
    EXPECT_EQ(clears[2].args[0], GL_COLOR_BUFFER_BIT);

    // With depth off, frames clear colour only.
    target().initialise(RenderTarget::DEPTH_OFF);
    GlRecorder::start();
    target().startFrame();
    ASSERT_EQ(GlRecorder::count("glClear"), 1u);
    EXPECT_EQ(GlRecorder::named("glClear")[0].args[0], GL_COLOR_BUFFER_BIT);
}

TEST_F(RenderTargetTest, SamePairTwiceSetsUpOnce) {
    const TestGeometry g = rectangle(-1.0f, -1.0f, 1.0f, 1.0f, 0xFFFFFFFFu);
    const boost::shared_ptr<Material> m = material(COLOUR);
    GlRecorder::start();
    draw(g, m);
    draw(g, m);
    EXPECT_EQ(GlRecorder::count("glDrawElements"), 2u);
    EXPECT_EQ(GlRecorder::count("glBufferData"), 2u);           // vertices and indices, once
    EXPECT_EQ(GlRecorder::count("glVertexAttribPointer"), 2u);  // position and colour, once
    EXPECT_EQ(GlRecorder::count("glEnableVertexAttribArray"), 2u);
    EXPECT_EQ(GlRecorder::count("glUseProgram"), 1u);
    EXPECT_EQ(GlRecorder::count("glBindBuffer"), 2u);

    // Another pair sets its pointers up; drawing the first again sets up again.
    const TestGeometry other = rectangle(-1.0f, -1.0f, 0.0f, 0.0f, 0xFFFFFFFFu);
    draw(other, m);
    draw(g, m);
    EXPECT_EQ(GlRecorder::count("glVertexAttribPointer"), 6u);
    EXPECT_EQ(GlRecorder::count("glBufferData"), 4u);
}

TEST_F(RenderTargetTest, PairLifetimes) {
    const TestGeometry g = rectangle(-1.0f, -1.0f, 1.0f, 1.0f, 0xFFFFFFFFu);
    const boost::shared_ptr<Material> m = material(COLOUR);
    GlRecorder::start();

    // Static: survives 39 frame ends.
    draw(g, m);
    endFrames(39);
    draw(g, m);
    EXPECT_EQ(GlRecorder::count("glBufferData"), 2u);
    // ... and is released at the 40th after its last draw.
    endFrames(40);
    draw(g, m);
    EXPECT_EQ(GlRecorder::count("glBufferData"), 4u);

    // Dynamic: released at the next frame end.
    const TestGeometry d = rectangle(-1.0f, -1.0f, 0.0f, 0.0f, 0xFFFFFFFFu);
    GraphicsSystem::instance_->drawDynamicItem(m, d.vertices, d.indices,
                                               boost::shared_ptr<ZqMatrix<4, 4>>());
    endFrames(1);
    GlRecorder::start();
    draw(d, m);
    EXPECT_EQ(GlRecorder::count("glBufferData"), 2u);

    // Flushed: the next draw makes new buffers.
    GlRecorder::start();
    draw(g, m);
    EXPECT_EQ(GlRecorder::count("glBufferData"), 0u);
    GraphicsSystem::instance_->flushStaticItem(*g.vertices, *g.indices);
    GlRecorder::start();
    draw(g, m);
    EXPECT_EQ(GlRecorder::count("glBufferData"), 2u);
}

TEST_F(RenderTargetTest, GeometryRebuiltAtTheSameAddressIsDrawnAsItIs) {
    // Immediate geometry is built, drawn and dropped within a frame, and the next blocks often
    // get the same addresses; here every strip is built in the same storage, unflushed.
    alignas(VertexBufferData) unsigned char vertexSpace[sizeof(VertexBufferData)];
    alignas(VertexIndexBufferData) unsigned char indexSpace[sizeof(VertexIndexBufferData)];
    const uint32_t colours[] = {0xFF0000FFu, 0x00FF00FFu, 0x0000FFFFu, 0xFFFF00FFu,
                                0xFF00FFFFu, 0x00FFFFFFu, 0xFFFFFFFFu, 0x800000FFu};
    const int strips = 8;
    const boost::shared_ptr<Material> m = material(COLOUR);
    target().startFrame();
    for (int i = 0; i < strips; ++i) {
        const float x0 = -1.0f + 2.0f * i / strips;
        const TestGeometry g =
            rectangleAt(vertexSpace, indexSpace, x0, -1.0f, x0 + 2.0f / strips, 1.0f, colours[i]);
        GraphicsSystem::instance_->drawDynamicItem(m, g.vertices, g.indices,
                                                   boost::shared_ptr<ZqMatrix<4, 4>>());
    }
    for (int i = 0; i < strips; ++i) {
        EXPECT_EQ(pixel(WIDTH * i / strips + WIDTH / strips / 2, 300), colours[i]) << "strip " << i;
    }
}

// Points inside each half of a full-screen square cut along its diagonal.
const int LOWER_RIGHT[2] = {768, 150};
const int UPPER_LEFT[2] = {256, 450};

TEST_F(RenderTargetTest, VertexBlockGivenOtherVerticesByAssignmentDrawsThem) {
    const TestGeometry left = rectangle(-1.0f, -1.0f, 0.0f, 1.0f, 0xFF0000FFu);
    const TestGeometry right = rectangle(0.0f, -1.0f, 1.0f, 1.0f, 0x00FF00FFu);
    const boost::shared_ptr<Material> m = material(COLOUR);
    target().startFrame();
    draw(left, m);
    EXPECT_EQ(pixel(256, 300), 0xFF0000FFu);
    *left.vertices = *right.vertices;
    target().startFrame();
    draw(left, m);
    EXPECT_EQ(pixel(768, 300), 0x00FF00FFu);
    EXPECT_EQ(pixel(256, 300), GREY);
}

TEST_F(RenderTargetTest, TwoIndexBlocksOverOneVertexBlockInOneFrame) {
    const TestGeometry square = rectangle(-1.0f, -1.0f, 1.0f, 1.0f, 0xFF0000FFu);
    const TestGeometry lower{square.vertices, indexBlock({0, 1, 2})};
    const TestGeometry upper{square.vertices, indexBlock({0, 2, 3})};
    const boost::shared_ptr<Material> m = material(COLOUR);
    target().startFrame();
    draw(lower, m);
    EXPECT_EQ(pixel(LOWER_RIGHT[0], LOWER_RIGHT[1]), 0xFF0000FFu);
    EXPECT_EQ(pixel(UPPER_LEFT[0], UPPER_LEFT[1]), GREY);
    draw(upper, m);
    EXPECT_EQ(pixel(UPPER_LEFT[0], UPPER_LEFT[1]), 0xFF0000FFu);
    // Each again, now that both pairs are cached.
    target().startFrame();
    draw(upper, m);
    EXPECT_EQ(pixel(LOWER_RIGHT[0], LOWER_RIGHT[1]), GREY);
    draw(lower, m);
    EXPECT_EQ(pixel(LOWER_RIGHT[0], LOWER_RIGHT[1]), 0xFF0000FFu);
}

TEST_F(RenderTargetTest, IndexBlockRebuiltAtTheSameAddressIsDrawnAsItIs) {
    alignas(VertexIndexBufferData) unsigned char indexSpace[sizeof(VertexIndexBufferData)];
    const TestGeometry square = rectangle(-1.0f, -1.0f, 1.0f, 1.0f, 0xFF0000FFu);
    const boost::shared_ptr<Material> m = material(COLOUR);
    target().startFrame();
    draw(TestGeometry{square.vertices, indexBlock({0, 1, 2}, indexSpace)}, m);
    EXPECT_EQ(pixel(LOWER_RIGHT[0], LOWER_RIGHT[1]), 0xFF0000FFu);
    // The first index block is gone, unflushed, while its vertex block lives on.
    target().startFrame();
    draw(TestGeometry{square.vertices, indexBlock({0, 2, 3}, indexSpace)}, m);
    EXPECT_EQ(pixel(UPPER_LEFT[0], UPPER_LEFT[1]), 0xFF0000FFu);
    EXPECT_EQ(pixel(LOWER_RIGHT[0], LOWER_RIGHT[1]), GREY);
}

TEST_F(RenderTargetTest, PairMadeWithoutProgramStillAgesOut) {
    const TestGeometry g = rectangle(-1.0f, -1.0f, 1.0f, 1.0f, 0xFFFFFFFFu);
    GlRecorder::start();
    // No program is active yet: the pair is made but not drawn.
    draw(g, material(HashString("missing")));
    EXPECT_EQ(GlRecorder::count("glBufferData"), 2u);
    EXPECT_EQ(GlRecorder::count("glDrawElements"), 0u);
    endFrames(1);
    draw(g, material(COLOUR));
    EXPECT_EQ(GlRecorder::count("glBufferData"), 4u);
    EXPECT_EQ(GlRecorder::count("glDrawElements"), 1u);
}

TEST_F(RenderTargetTest, ExhaustedPoolDrawsNothingAndRecovers) {
    const TestGeometry shared = rectangle(-1.0f, -1.0f, 1.0f, 1.0f, 0xFFFFFFFFu);
    const boost::shared_ptr<Material> m = material(COLOUR);
    const unsigned pairs = RenderTargetOpenGlsl::VBO_POOL_SIZE / 2;
    std::vector<boost::shared_ptr<VertexIndexBufferData>> indexBlocks;
    for (unsigned i = 0; i <= pairs; ++i) {
        indexBlocks.emplace_back(new VertexIndexBufferData());
        indexBlocks.back()->indices = shared.indices->indices;
    }
    for (unsigned i = 0; i < pairs; ++i) {
        draw(TestGeometry{shared.vertices, indexBlocks[i]}, m);
    }
    GlRecorder::start();
    const TestGeometry extra{shared.vertices, indexBlocks[pairs]};
    draw(extra, m);
    EXPECT_EQ(GlRecorder::count("glBufferData"), 0u);
    EXPECT_EQ(GlRecorder::count("glDrawElements"), 0u);
    // A flushed pair frees two names for the next one.
    GraphicsSystem::instance_->flushStaticItem(*shared.vertices, *indexBlocks[0]);
    draw(extra, m);
    EXPECT_EQ(GlRecorder::count("glBufferData"), 2u);
    EXPECT_EQ(GlRecorder::count("glDrawElements"), 1u);
}

TEST_F(RenderTargetTest, GeometryReachingPastItsVerticesIsNotDrawn) {
    const TestGeometry g = rectangle(-1.0f, -1.0f, 1.0f, 1.0f, 0xFFFFFFFFu);
    const boost::shared_ptr<Material> m = material(COLOUR);
    boost::shared_ptr<VertexIndexBufferData> pastTheEnd(new VertexIndexBufferData());
    pastTheEnd->indices = g.indices->indices;
    pastTheEnd->indices.pushBack(static_cast<unsigned short>(g.vertices->vertexCount));
    GlRecorder::start();
    draw(TestGeometry{g.vertices, pastTheEnd}, m);
    EXPECT_EQ(GlRecorder::count("glBufferData"), 0u);
    EXPECT_EQ(GlRecorder::count("glDrawElements"), 0u);

    const uint32_t fullSize = g.vertices->dataSize;
    g.vertices->dataSize = fullSize - 1;
    draw(g, m);
    EXPECT_EQ(GlRecorder::count("glDrawElements"), 0u);
    g.vertices->dataSize = fullSize;
    draw(g, m);
    EXPECT_EQ(GlRecorder::count("glDrawElements"), 1u);

    // The draw reads by the stride of the format flags, whatever stride the block states, and
    // an attribute whose part is absent reads its 12 bytes at the start of each vertex.
    struct Case {
        const char* what;
        uint32_t flags;
        uint32_t storedStride;
        uint32_t dataSize;
        bool drawn;
    };
    const Case cases[] = {
        {"all five parts, stated stride 12", 31, 12, 36, false},
        {"all five parts, whole", 31, 12, 3 * 44, true},
        {"colours only", 1, 4, 12, false},
        {"no parts", 0, 0, 36, false},
    };
    unsigned char bytes[3 * 44] = {};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        boost::shared_ptr<VertexBufferData> block(new VertexBufferData());
        block->formatFlags = c.flags;
        block->vertexCount = 3;
        block->stride = c.storedStride;
        block->dataSize = c.dataSize;
        block->data = bytes;
        boost::shared_ptr<VertexIndexBufferData> triangle(new VertexIndexBufferData());
        for (unsigned short index : {0, 1, 2}) {
            triangle->indices.pushBack(index);
        }
        GlRecorder::start();
        draw(TestGeometry{block, triangle}, m);
        EXPECT_EQ(GlRecorder::count("glDrawElements"), c.drawn ? 1u : 0u);
        EXPECT_EQ(GlRecorder::count("glBufferData"), c.drawn ? 2u : 0u);
    }
}

const char* const EXTRA_VERTEX = R"(#version 100
attribute vec3 a_position;
attribute vec4 a_color;
attribute vec2 a_texCoord0;
attribute float a_weight;
varying vec4 v_color;
void main() {
    v_color = a_color * a_weight + vec4(a_texCoord0, 0.0, 0.0);
    gl_Position = vec4(a_position, 1.0);
}
)";

const char* const PLAIN_FRAGMENT = R"(#version 100
precision mediump float;
varying vec4 v_color;
void main() {
    gl_FragColor = v_color;
}
)";

TEST_F(RenderTargetTest, AttributeArraysAreNeverEnabledWithoutTheirPointer) {
    const HashString extra("extra");
    const boost::shared_ptr<ShaderProgram> program =
        addProgram(extra, EXTRA_VERTEX, PLAIN_FRAGMENT);
    ASSERT_TRUE(program);
    const TestGeometry g = rectangle(-1.0f, -1.0f, 1.0f, 1.0f, 0xFFFFFFFFu);

    // Enabled arrays, and those given a pointer, up to each draw.
    auto checkDraws = [] {
        std::vector<long long> enabled;
        std::vector<long long> pointed;
        auto has = [](const std::vector<long long>& v, long long x) {
            return std::find(v.begin(), v.end(), x) != v.end();
        };
        for (const GlCall& call : GlRecorder::calls()) {
            if (call.name == "glEnableVertexAttribArray") {
                enabled.push_back(call.args[0]);
            } else if (call.name == "glDisableVertexAttribArray") {
                enabled.erase(std::remove(enabled.begin(), enabled.end(), call.args[0]),
                              enabled.end());
            } else if (call.name == "glVertexAttribPointer") {
                pointed.push_back(call.args[0]);
            } else if (call.name == "glDrawElements") {
                for (long long location : enabled) {
                    EXPECT_TRUE(has(pointed, location)) << "location " << location;
                }
            }
        }
    };
    const GLint weight = glGetAttribLocation(program->programName, "a_weight");
    const GLint texCoord = glGetAttribLocation(program->programName, "a_texCoord0");
    ASSERT_GE(weight, 0);
    ASSERT_GE(texCoord, 0);

    GlRecorder::start();
    // The unnamed attribute's location may have been enabled by another program.
    glEnableVertexAttribArray(static_cast<GLuint>(weight));
    draw(g, material(extra));
    EXPECT_EQ(GlRecorder::count("glDrawElements"), 1u);
    checkDraws();

    // With texturing off the texture coordinates get no pointer either.
    target().globalTexturesDisabled();
    const TestGeometry other = rectangle(-1.0f, -1.0f, 0.0f, 0.0f, 0xFFFFFFFFu);
    GlRecorder::start();
    glEnableVertexAttribArray(static_cast<GLuint>(texCoord));
    draw(other, material(extra));
    EXPECT_EQ(GlRecorder::count("glDrawElements"), 1u);
    checkDraws();
}

const char* const TWO_TEXTURE_FRAGMENT = R"(#version 100
precision mediump float;
uniform sampler2D s_texture0;
uniform sampler2D s_texture1;
varying vec2 v_uv;
void main() {
    gl_FragColor = texture2D(s_texture0, v_uv) + texture2D(s_texture1, v_uv);
}
)";

TEST_F(RenderTargetTest, BoundTextureCacheIsPerUnit) {
    const HashString program("two textures");
    ASSERT_TRUE(addProgram(program, TEXTURE_VERTEX_SOURCE, TWO_TEXTURE_FRAGMENT));
    const HashString first("first");
    const HashString second("second");
    ASSERT_TRUE(addTextures("group", {first, second}, 4, 4));
    const GLuint firstName = TextureManager::instance_->getStatic(first)->glName;
    const GLuint secondName = TextureManager::instance_->getStatic(second)->glName;
    // (unit, texture) of each bind, read from the recorded calls.
    auto binds = [] {
        std::vector<std::pair<long long, long long>> out;
        long long unit = -1;
        for (const GlCall& call : GlRecorder::calls()) {
            if (call.name == "glActiveTexture") {
                unit = call.args[0] - GL_TEXTURE0;
            } else if (call.name == "glBindTexture") {
                out.emplace_back(unit, call.args[1]);
            }
        }
        return out;
    };
    const TestGeometry g = rectangle(-1.0f, -1.0f, 1.0f, 1.0f, 0xFFFFFFFFu);
    GlRecorder::start();
    draw(g, textured(program, {first, first}));
    EXPECT_EQ(binds(),
              (std::vector<std::pair<long long, long long>>{{0, firstName}, {1, firstName}}));
    // Each slot's sampler reads its own unit.
    const GLuint programName = ShaderManager::instance_->getShaderProgram(program)->programName;
    const std::vector<GlCall> samplers = GlRecorder::named("glUniform1i");
    ASSERT_EQ(samplers.size(), 2u);
    EXPECT_EQ(samplers[0].args,
              (std::vector<long long>{glGetUniformLocation(programName, "s_texture0"), 0}));
    EXPECT_EQ(samplers[1].args,
              (std::vector<long long>{glGetUniformLocation(programName, "s_texture1"), 1}));
    GlRecorder::start();
    draw(g, textured(program, {first, first}));
    EXPECT_TRUE(binds().empty());
    draw(g, textured(program, {second, first}));
    EXPECT_EQ(binds(), (std::vector<std::pair<long long, long long>>{{0, secondName}}));
}

const char* const BLUE_FRAGMENT = R"(#version 100
precision mediump float;
void main() {
    gl_FragColor = vec4(0.0, 0.0, 1.0, 1.0);
}
)";

const char* const POSITION_VERTEX = R"(#version 100
attribute vec3 a_position;
void main() {
    gl_Position = vec4(a_position, 1.0);
}
)";

// Normals and colours as well, so that its attributes take locations the first one left off;
// u_none keeps its initial 0, so the normals add nothing to the colour.
const char* const THREE_ATTRIBUTE_VERTEX = R"(#version 100
uniform float u_none;
attribute vec3 a_normal;
attribute vec4 a_color;
attribute vec3 a_position;
varying vec4 v_color;
void main() {
    v_color = a_color / 255.0 + vec4(a_normal, 0.0) * u_none;
    gl_Position = vec4(a_position, 1.0);
}
)";

// The override's position lies at a location the material's program leaves off, so only the
// override's own arrays make it draw.
TEST_F(RenderTargetTest, ShaderOverrideDrawsWithTheOverrideProgram) {
    const HashString blue("blue");
    const HashString override("override");
    const boost::shared_ptr<ShaderProgram> own = addProgram(blue, POSITION_VERTEX, BLUE_FRAGMENT);
    const boost::shared_ptr<ShaderProgram> overriding =
        addProgram(override, THREE_ATTRIBUTE_VERTEX, PLAIN_FRAGMENT);
    ASSERT_TRUE(own);
    ASSERT_TRUE(overriding);
    const GLint position = glGetAttribLocation(overriding->programName, "a_position");
    for (const ShaderParameter& attribute : own->data.attributes) {
        ASSERT_NE(GLint(attribute.location), position);
    }
    const TestGeometry g = rectangle(-1.0f, -1.0f, 1.0f, 1.0f, 0xFF0000FFu);
    target().startFrame();
    target().setShaderOverride(override);
    draw(g, material(blue));
    EXPECT_EQ(pixel(512, 300), 0xFF0000FFu);
    target().releaseShaderOverride();
    draw(g, material(blue));
    EXPECT_EQ(pixel(512, 300), 0x0000FFFFu);
}

TEST_F(RenderTargetTest, ProgramsBuiltBetweenDrawsAreSetUp) {
    // A draw whose program is not there yet draws nothing; once it is built, it draws.
    const HashString late("late");
    const TestGeometry g = rectangle(-1.0f, -1.0f, 1.0f, 1.0f, 0xFF0000FFu);
    target().startFrame();
    draw(g, material(late));
    EXPECT_EQ(pixel(512, 300), GREY);
    ASSERT_TRUE(addColourProgram(late));
    draw(g, material(late));
    EXPECT_EQ(pixel(512, 300), 0xFF0000FFu);

    // Rebuilt under the same name in the middle of a frame, with more attributes: every one
    // of the new program's arrays is enabled for the next draw.
    const HashString rebuilt("rebuilt");
    ASSERT_TRUE(addProgram(rebuilt, POSITION_VERTEX, BLUE_FRAGMENT));
    draw(g, material(rebuilt));
    EXPECT_EQ(pixel(512, 300), 0x0000FFFFu);
    const boost::shared_ptr<ShaderProgram> second =
        addProgram(rebuilt, THREE_ATTRIBUTE_VERTEX, PLAIN_FRAGMENT);
    ASSERT_TRUE(second);
    ASSERT_EQ(second->data.attributes.size(), 3u);
    draw(g, material(rebuilt));
    for (const ShaderParameter& attribute : second->data.attributes) {
        GLint enabled = GL_FALSE;
        glGetVertexAttribiv(attribute.location, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        EXPECT_EQ(enabled, GL_TRUE) << "location " << attribute.location;
    }
    EXPECT_EQ(pixel(512, 300), 0xFF0000FFu);
}

const char* const MVP_VERTEX = R"(#version 100
uniform mat4 u_modelViewProj;
attribute vec3 a_position;
attribute vec4 a_color;
varying vec4 v_color;
void main() {
    v_color = a_color / 255.0;
    gl_Position = u_modelViewProj * vec4(a_position, 1.0);
}
)";

// What the game's model-view-projection updater does: read the matrix of the current draw.
class ModelViewProjection : public ShaderParameterUpdater<ZqMatrix<4, 4>> {
public:
    ModelViewProjection() : ShaderParameterUpdater<ZqMatrix<4, 4>>("u_modelViewProj", 0) {}
    void update(boost::shared_ptr<ZqMatrix<4, 4>>, boost::shared_ptr<const Material>) override {
        GraphicsSystem::instance_->getCurrentRenderTarget()->getModelViewProjectionMatrix(value_);
    }
};

TEST_F(RenderTargetTest, ModelViewProjectionMatrixOfTheCurrentDraw) {
    const HashString placed("placed");
    ASSERT_TRUE(addProgram(placed, MVP_VERTEX, PLAIN_FRAGMENT));
    ShaderCache::instance_->addUpdater(
        boost::shared_ptr<BaseShaderParameterUpdater>(new ModelViewProjection()));
    // Pixel units with y up, looked at from the origin down -Z.
    boost::shared_ptr<GraphicsCamera> camera(new GraphicsCamera(
        60.0f, 1.0f, -1.0f, 1.0f, ZqVector<3>(0.0f, 0.0f, 0.0f), ZqVector<3>(0.0f, 0.0f, -1.0f),
        ZqVector<3>(0.0f, 1.0f, 0.0f), ZqVector<3>(), 0.0f));
    camera->perspective = 0;
    camera->orthoLeft = 0.0f;
    camera->orthoRight = float(WIDTH);
    camera->orthoTop = float(HEIGHT);
    camera->orthoBottom = 0.0f;
    GraphicsSystem::instance_->setCamera(camera);

    // A 100-pixel square at the origin, moved by each draw's own world matrix.
    const TestGeometry square = rectangle(0.0f, 0.0f, 100.0f, 100.0f, 0x00FF00FFu);
    auto at = [](float x, float y) {
        boost::shared_ptr<ZqMatrix<4, 4>> world(new ZqMatrix<4, 4>(ZqMatrix<4, 4>::IDENTITY));
        (*world)(0, 3) = x;
        (*world)(1, 3) = y;
        return world;
    };
    target().startFrame();
    GraphicsSystem::instance_->drawStaticItem(material(placed), square.vertices, square.indices,
                                              at(300.0f, 50.0f));
    GraphicsSystem::instance_->drawStaticItem(material(placed), square.vertices, square.indices,
                                              at(700.0f, 400.0f));
    EXPECT_EQ(pixel(350, 100), 0x00FF00FFu);
    EXPECT_EQ(pixel(750, 450), 0x00FF00FFu);
    EXPECT_EQ(pixel(50, 50), GREY);
    EXPECT_EQ(pixel(350, 450), GREY);
}

// A target whose hardware has fewer texture units than the renderer caches.
class FewUnitsTarget : public RenderTargetGles2 {
public:
    FewUnitsTarget() : RenderTargetGles2("few units") {}
    void limitTextureUnits(uint32_t units) { textureUnitLimit_ = units; }
};

TEST_F(RenderTargetTest, TextureSlotsStopAtTheUnitsTheHardwareHas) {
    const HashString program("two textures");
    ASSERT_TRUE(addProgram(program, TEXTURE_VERTEX_SOURCE, TWO_TEXTURE_FRAGMENT));
    const boost::shared_ptr<Material> m =
        textured(program, {DEFAULT_WHITE, DEFAULT_WHITE, DEFAULT_WHITE});
    TextureManager::instance_->initialise(0xFFFF00FFu);
    const TestGeometry g = rectangle(-1.0f, -1.0f, 1.0f, 1.0f, 0xFFFFFFFFu);
    FewUnitsTarget few;
    few.initialise(RenderTarget::DEPTH_ON);
    few.limitTextureUnits(1);
    GlRecorder::start();
    few.drawStaticItem(m, g.vertices, g.indices, boost::shared_ptr<ZqMatrix<4, 4>>());
    EXPECT_EQ(GlRecorder::count("glDrawElements"), 1u);
    for (const GlCall& call : GlRecorder::named("glActiveTexture")) {
        EXPECT_EQ(call.args[0], GL_TEXTURE0);
    }
    for (const GlCall& call : GlRecorder::named("glUniform1i")) {
        EXPECT_EQ(call.args[1], 0);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(RenderTargetTest, WrapFlagReachesTexturesAlreadyBound) {
    const HashString program("two textures");
    ASSERT_TRUE(addProgram(program, TEXTURE_VERTEX_SOURCE, TWO_TEXTURE_FRAGMENT));
    const HashString texture("wrapped");
    ASSERT_TRUE(addTextures("group", {texture}, 4, 4));
    const boost::shared_ptr<Material> m = textured(program, {texture});
    const TestGeometry g = rectangle(-1.0f, -1.0f, 1.0f, 1.0f, 0xFFFFFFFFu);
    // The wrap of the texture bound to unit 0, which the draw leaves active.
    auto wrapOf = [] {
        GLint s = 0;
        GLint t = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &s);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &t);
        return std::make_pair(s, t);
    };
    const std::pair<GLint, GLint> repeat(GL_REPEAT, GL_REPEAT);
    const std::pair<GLint, GLint> clamp(GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE);
    EXPECT_EQ(target().getTextureWrap(), 1u);
    draw(g, m);
    EXPECT_EQ(wrapOf(), repeat);
    target().setTextureWrap(0);
    draw(g, m);
    EXPECT_EQ(wrapOf(), clamp);
    target().setTextureWrap(1);
    draw(g, m);
    EXPECT_EQ(wrapOf(), repeat);
}

TEST_F(RenderTargetTest, RenderToScreenWithoutTextureDoesNothing) {
    GlRecorder::start();
    target().renderToScreen();
    EXPECT_TRUE(GlRecorder::calls().empty());
}

TEST_F(RenderTargetTest, RenderToTextureAttachesOnceAndSizesTheTarget) {
    const HashString colour("colour target");
    ASSERT_TRUE(addTextures("targets", {colour}, 128, 64));
    GlRecorder::start();
    target().renderToTexture(colour, HashString(), HashString(), HashString());
    target().renderToTexture(colour, HashString(), HashString(), HashString());
    const std::vector<GlCall> attaches = GlRecorder::named("glFramebufferTexture2D");
    // Colour once; the depth name 0 detaches depth each time.
    ASSERT_EQ(attaches.size(), 3u);
    EXPECT_EQ(attaches[0].args[0], GL_COLOR_ATTACHMENT0);
    EXPECT_EQ(attaches[1].args[0], GL_DEPTH_ATTACHMENT);
    EXPECT_EQ(attaches[2].args[0], GL_DEPTH_ATTACHMENT);
    EXPECT_EQ(target().getCurrentRenderWidth(), 128u);
    EXPECT_EQ(target().getCurrentRenderHeight(), 64u);
    EXPECT_EQ(GlRecorder::named("glViewport").back().args, (std::vector<long long>{0, 0, 128, 64}));

    target().renderToScreen();
    EXPECT_EQ(target().getCurrentRenderWidth(), 1024u);
    EXPECT_EQ(GlRecorder::named("glViewport").back().args,
              (std::vector<long long>{0, 0, 1024, 600}));
    EXPECT_EQ(GlRecorder::named("glBindFramebuffer").back().args,
              (std::vector<long long>{GL_FRAMEBUFFER, 0}));
}

TEST_F(RenderTargetTest, PerspectiveAndOrthographicMatrices) {
    boost::shared_ptr<GraphicsCamera> camera(new GraphicsCamera(
        90.0f, 2.0f, 1.0f, 11.0f, ZqVector<3>(1.0f, 2.0f, 3.0f), ZqVector<3>(0.0f, 0.0f, -1.0f),
        ZqVector<3>(0.0f, 1.0f, 0.0f), ZqVector<3>(), 0.0f));
    GraphicsSystem::instance_->setCamera(camera);
    ZqMatrix<4, 4> p;
    target().getProjectionMatrix(p);
    const float h = 90.0f * 0.5f * ZqMaths::PI / 180.0f;
    const float f = ZqMaths::cos(h) / ZqMaths::sin(h);
    const float expected[16] = {
        f / 2.0f, 0, 0, 0, 0, f, 0, 0, 0, 0, -12.0f / 10.0f, -1.0f, 0, 0, -22.0f / 10.0f, 0};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(p[i], expected[i]) << i;
    }
    // Looking down -Z from (1, 2, 3): the view is a plain translation.
    ZqMatrix<4, 4> v;
    target().getViewMatrix(v);
    const float view[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -1, -2, -3, 1};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(v[i], view[i]) << i;
    }

    camera->perspective = 0;
    camera->orthoLeft = 0.0f;
    camera->orthoRight = 1024.0f;
    camera->orthoTop = 0.0f;
    camera->orthoBottom = 600.0f;
    GraphicsSystem::instance_->setCamera(camera);
    target().getProjectionMatrix(p);
    const float ortho[16] = {2.0f / 1024.0f,
                             0,
                             0,
                             0,
                             0,
                             2.0f / -600.0f,
                             0,
                             0,
                             0,
                             0,
                             -2.0f / 10.0f,
                             0,
                             -1.0f,
                             -(600.0f) / -600.0f,
                             -12.0f / 10.0f,
                             1.0f};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(p[i], ortho[i]) << i;
    }
}

}  // namespace
