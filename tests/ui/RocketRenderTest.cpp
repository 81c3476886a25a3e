#include <gtest/gtest.h>

#include <GLES2/gl2.h>

#include "core/maths/ZqMaths.h"
#include "graphics/material/MaterialManager.h"
#include "graphics/shader/ShaderManager.h"
#include "graphics/texture/TextureLoader.h"
#include "graphics/texture/TextureManager.h"
#include "platform/playbook/QnxWindow.h"
#include "tests/graphics/GlRecorder.h"
#include "tests/graphics/PngTestImage.h"
#include "tests/support/LogCheck.h"
#include "tests/ui/UiGlTest.h"
#include "ui/RocketShaderSource.h"

using namespace orvo;
using trellin::Bytes;
using ui_test::UiGlTest;

namespace {

class RocketRenderTest : public UiGlTest {
protected:
    // A texture of the game's own, in a group of the texture service.
    void addGameTexture(HashString name) {
        Array<HashString> names;
        names.pushBack(name);
        Array<BitmapData> bitmaps;
        bitmaps.pushBack(BitmapData(1, 1, BitmapData::FORMAT_RGBA, 4, white));
        TextureData texture;
        texture.filterMode = TextureData::FILTER_NEAREST;
        texture.bitmapNames.pushBack(name);
        Array<TextureData> textures;
        textures.pushBack(texture);
        ASSERT_EQ(
            TextureLoader::loadTextures("GAME_TEXTURES", names, bitmaps, names, textures).size(),
            1u);
    }

    // A quad from (x, y) to (x + w, y + h) in UI pixels.
    static std::vector<Rocket::Core::Vertex> quad(float x, float y, float w, float h,
                                                  Rocket::Core::Colourb colour) {
        std::vector<Rocket::Core::Vertex> vertices(4);
        const float corners[4][2] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
        for (int i = 0; i < 4; ++i) {
            vertices[i].position = Rocket::Core::Vector2f(corners[i][0], corners[i][1]);
            vertices[i].colour = colour;
            vertices[i].tex_coord = Rocket::Core::Vector2f(float(i == 1 || i == 2), float(i >= 2));
        }
        return vertices;
    }

    static bool textureExists(Rocket::Core::TextureHandle handle) {
        return TextureManager::instance_->staticExists(
            HashString::fromHash(static_cast<uint32_t>(handle)));
    }

    int indices[6] = {0, 1, 2, 0, 2, 3};
    unsigned char white[4] = {255, 255, 255, 255};
};

TEST_F(RocketRenderTest, GeneratedTexturesAreLinearAndLeaveWithTheirHandle) {
    const unsigned char pixels[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 9, 9, 9, 9};
    Rocket::Core::TextureHandle handle = 0;
    ASSERT_TRUE(renderer().GenerateTexture(handle, pixels, Rocket::Core::Vector2i(2, 2)));
    const boost::shared_ptr<TextureInfo> texture =
        TextureManager::instance_->getStatic(HashString::fromHash(uint32_t(handle)));
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture->filterMode, uint32_t(TextureData::FILTER_LINEAR));
    EXPECT_EQ(texture->width, 2u);
    EXPECT_EQ(texture->format, uint32_t(BitmapData::FORMAT_RGBA));
    ASSERT_EQ(renderer().getMaterialUses().size(), 1u);
    const Material& material = *renderer().getMaterialUses()[0].material;
    EXPECT_EQ(material.shaderName, ROCKET_SHADER);
    ASSERT_EQ(material.textureSlots.size(), 1u);
    EXPECT_EQ(material.textureSlots[0].textureName.getHash(), uint32_t(handle));

    renderer().ReleaseTexture(handle);
    EXPECT_FALSE(textureExists(handle));
    EXPECT_TRUE(renderer().getMaterialUses().empty());
    EXPECT_TRUE(renderer().getGeneratedTextures().empty());
}

// The UI draws a game texture through a material of its own and never touches the game's.
TEST_F(RocketRenderTest, GameTexturesAndMaterialsOfTheSameNameAreLeftAlone) {
    addGameTexture("logo");
    StaticDataManager<Material>& gameMaterials = *MaterialManager::instance_;
    ASSERT_TRUE(gameMaterials.createGroup(gameMaterials.getStaticStore(), "GAME_MATERIALS"));
    Array<Material> items;
    items.pushBack(Material());
    items[0].shaderName = "GAME_SHADER";
    Array<HashString> ids;
    ids.pushBack("logo");
    ASSERT_TRUE(
        gameMaterials.insertGroup(gameMaterials.getStaticStore(), "GAME_MATERIALS", ids, items));

    Rocket::Core::TextureHandle first = 0;
    Rocket::Core::TextureHandle second = 0;
    Rocket::Core::Vector2i size;
    // Both names reduce to "logo".
    ASSERT_TRUE(renderer().LoadTexture(first, size, "images/logo.png"));
    ASSERT_TRUE(renderer().LoadTexture(second, size, "other/logo.tga"));
    EXPECT_EQ(first, HashString("logo").getHash());
    EXPECT_EQ(second, first);
    EXPECT_EQ(size, Rocket::Core::Vector2i(1, 1));
    ASSERT_EQ(renderer().getMaterialUses().size(), 1u);
    EXPECT_EQ(renderer().getMaterialUses()[0].uses, 2u);
    EXPECT_EQ(renderer().getMaterialUses()[0].material->shaderName, ROCKET_SHADER);

    renderer().ReleaseTexture(first);
    renderer().ReleaseTexture(second);
    EXPECT_TRUE(renderer().getMaterialUses().empty());
    EXPECT_TRUE(textureExists(first));
    ASSERT_TRUE(MaterialManager::instance_->staticExists("logo"));
    EXPECT_EQ(MaterialManager::instance_->getStatic("logo")->shaderName, HashString("GAME_SHADER"));
}

TEST_F(RocketRenderTest, AFileTextureStaysUntilItsLastHandleGoes) {
    files.write("images/dot.png", trellin_test::makePng(1, 1, PNG_COLOR_TYPE_GRAY, 8, {{128}}));
    Rocket::Core::TextureHandle first = 0;
    Rocket::Core::TextureHandle second = 0;
    Rocket::Core::Vector2i size;
    ASSERT_TRUE(renderer().LoadTexture(first, size, "images/dot.png"));
    ASSERT_TRUE(renderer().LoadTexture(second, size, "images/dot.png"));
    EXPECT_EQ(first, second);
    renderer().ReleaseTexture(first);
    EXPECT_TRUE(textureExists(second));
    renderer().ReleaseTexture(second);
    EXPECT_FALSE(textureExists(second));

    EXPECT_FALSE(renderer().LoadTexture(first, size, "images/missing.png"));
    EXPECT_FALSE(renderer().LoadTexture(first, size, "images/dot.gif"));
}

// Rows of 9 bytes, which no 4-byte row alignment fits.
TEST_F(RocketRenderTest, AnRgbImageOfOddWidthKeepsItsRows) {
    files.write("odd.png", trellin_test::makePng(3, 2, PNG_COLOR_TYPE_RGB, 8,
                                                 {{255, 0, 0, 0, 255, 0, 0, 0, 255},
                                                  {255, 255, 255, 0, 0, 0, 255, 255, 0}}));
    files.write("odd.rml",
                "<rml><body><img src='odd.png' style='position: absolute; left: 0px; top: 0px; "
                "width: 300px; height: 200px;'/></body></rml>");
    ASSERT_TRUE(ui().loadDocument("odd.rml", true));
    drawFrame();
    const uint32_t expected[2][3] = {{0xFF0000FFu, 0x00FF00FFu, 0x0000FFFFu},
                                     {0xFFFFFFFFu, 0x000000FFu, 0xFFFF00FFu}};
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            SCOPED_TRACE(testing::Message() << row << ", " << column);
            const uint32_t got = pixelAt(50 + 100 * column, 50 + 100 * row);
            for (int shift = 8; shift < 32; shift += 8) {
                const int a = int(got >> shift & 0xFF);
                const int b = int(expected[row][column] >> shift & 0xFF);
                EXPECT_NEAR(a, b, 8);
            }
        }
    }
}

TEST_F(RocketRenderTest, ScissorRegionsCountFromTheBottomLeft) {
    GlRecorder::start();
    renderer().SetScissorRegion(10, 20, 100, 50);
    // Reaching past the left and bottom edges: what lies inside is kept.
    renderer().SetScissorRegion(-5, 590, 20, 30);
    // An empty region clips everything rather than leaving the last one in force.
    renderer().SetScissorRegion(30, 30, 0, 40);
    renderer().SetScissorRegion(30, 30, 40, -1);
    const std::vector<GlCall> calls = GlRecorder::named("glScissor");
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].args, (std::vector<long long>{10, 530, 100, 50}));
    EXPECT_EQ(calls[1].args, (std::vector<long long>{0, 0, 15, 10}));
    EXPECT_EQ(calls[2].args, (std::vector<long long>{0, 0, 0, 0}));
    EXPECT_EQ(calls[3].args, (std::vector<long long>{0, 0, 0, 0}));
}

TEST_F(RocketRenderTest, UntexturedGeometryLandsWhereTheUiPutsIt) {
    ui().update(0.0);
    target().startFrame();
    std::vector<Rocket::Core::Vertex> vertices =
        quad(0, 0, 100, 50, Rocket::Core::Colourb(255, 0, 0, 255));
    renderer().RenderGeometry(vertices.data(), 4, indices, 6, 0, Rocket::Core::Vector2f(200, 100));
    EXPECT_EQ(pixelAt(250, 125), 0xFF0000FFu);
    EXPECT_EQ(pixelAt(199, 125), 0x000000FFu);
    EXPECT_EQ(pixelAt(250, 151), 0x000000FFu);
}

TEST_F(RocketRenderTest, CompiledGeometryWithoutItsMaterialIsNotDrawn) {
    ui().update(0.0);
    Rocket::Core::TextureHandle texture = 0;
    ASSERT_TRUE(renderer().GenerateTexture(texture, white, Rocket::Core::Vector2i(1, 1)));
    std::vector<Rocket::Core::Vertex> vertices =
        quad(0, 0, 10, 10, Rocket::Core::Colourb(0, 255, 0, 255));
    const Rocket::Core::CompiledGeometryHandle geometry =
        renderer().CompileGeometry(vertices.data(), 4, indices, 6, texture);
    ASSERT_NE(geometry, 0u);
    target().startFrame();
    GlRecorder::start();
    renderer().RenderCompiledGeometry(geometry, Rocket::Core::Vector2f(5, 5));
    EXPECT_EQ(GlRecorder::count("glDrawElements"), 1u);
    EXPECT_EQ(pixelAt(10, 10), 0x00FF00FFu);
    // UI images are clamped at their edges; the wrap goes back to repeat for the game.
    const std::vector<GlCall> wraps = GlRecorder::named("glTexParameteri");
    ASSERT_FALSE(wraps.empty());
    EXPECT_EQ(wraps[0].args[2], GL_CLAMP_TO_EDGE);
    EXPECT_EQ(target().getTextureWrap(), 1u);

    renderer().ReleaseTexture(texture);
    GlRecorder::start();
    renderer().RenderCompiledGeometry(geometry, Rocket::Core::Vector2f(5, 5));
    EXPECT_EQ(GlRecorder::count("glDrawElements"), 0u);
    renderer().ReleaseCompiledGeometry(geometry);
    EXPECT_TRUE(renderer().getGeometryVertices().getStaticStore().groupNames.empty());
}

// The names of compiled geometry and generated textures come from a sequence of their own:
// the game's generator, which lays the track, moves only with the game's draws.
TEST_F(RocketRenderTest, NamesLeaveTheEngineGeneratorAlone) {
    ZqMaths::setRandomSeed(1337);
    const float expected = ZqMaths::unitRandom();

    ZqMaths::setRandomSeed(1337);
    std::vector<Rocket::Core::Vertex> vertices = quad(0, 0, 10, 10, Rocket::Core::Colourb());
    const Rocket::Core::CompiledGeometryHandle first =
        renderer().CompileGeometry(vertices.data(), 4, indices, 6, 0);
    const Rocket::Core::CompiledGeometryHandle second =
        renderer().CompileGeometry(vertices.data(), 4, indices, 6, 0);
    Rocket::Core::TextureHandle texture = 0;
    ASSERT_TRUE(renderer().GenerateTexture(texture, white, Rocket::Core::Vector2i(1, 1)));
    EXPECT_EQ(ZqMaths::unitRandom(), expected);
    // Each geometry still has a name of its own.
    EXPECT_EQ(renderer().getGeometryVertices().getStaticStore().groupNames.size(), 2u);
    renderer().ReleaseCompiledGeometry(first);
    renderer().ReleaseCompiledGeometry(second);
    renderer().ReleaseTexture(texture);
}

// Without a GL context the UI shader cannot be built: the update tries (and logs) once, not
// every frame; loading it on purpose tries again.
TEST_F(RocketRenderTest, AUiShaderThatCannotBeBuiltIsTriedOnce) {
    trellin_test::expectLog("Shader Error: vertex shader does not compile: ");
    trellin_test::expectLog("Shader Error: fragment shader does not compile: ");
    ShaderManager& shaders = *ShaderManager::instance_;
    if (const auto built = shaders.getShaderProgram(ROCKET_SHADER)) {
        shaders.removeShaderProgram(built);
    }
    ASSERT_TRUE(eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT));
    ::testing::internal::CaptureStdout();
    for (int frame = 0; frame < 3; ++frame) {
        ui().update(0.0);
    }
    const std::string log = ::testing::internal::GetCapturedStdout();
    std::size_t failures = 0;
    for (std::size_t at = log.find("does not compile"); at != std::string::npos;
         at = log.find("does not compile", at + 1)) {
        ++failures;
    }
    EXPECT_EQ(failures, 2u) << log;  // the vertex and the fragment shader, once
    ASSERT_TRUE(
        eglMakeCurrent(display_, qnxContext.surface, qnxContext.surface, qnxContext.context));
    ui().loadShader();
    EXPECT_TRUE(shaders.getShaderProgram(ROCKET_SHADER));
}

TEST_F(RocketRenderTest, TheMatrixUpdaterIsRegisteredOnce) {
    ui().loadShader();
    ui().loadShader();
    ui().update(0.0);
    // Ours and the shader cache's.
    EXPECT_EQ(ui().getMatrixUpdater().use_count(), 2);
}

}  // namespace
