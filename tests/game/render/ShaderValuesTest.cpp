#include <gtest/gtest.h>

#include <GLES2/gl2.h>

#include <cmath>

#include "core/maths/ZqMaths.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/ZqVectorOps.h"
#include "graphics/material/Material.h"
#include "graphics/shader/ShaderManager.h"
#include "graphics/vertex/VertexBufferData.h"
#include "graphics/vertex/VertexIndexBufferData.h"
#include "tests/game/render/RenderedWorld.h"
#include "tests/tools/GameDataNames.h"

using namespace orvo;

namespace {

// A unit square around its origin: lying in the X/Z plane facing +Y, or standing in the Y/Z
// plane facing +X (towards the scene camera).
struct Square {
    boost::shared_ptr<VertexBufferData> vertices;
    boost::shared_ptr<VertexIndexBufferData> indices;

    explicit Square(bool lying) {
        Array<PrimitiveData> positions;
        Array<NormalData> normals;
        Array<TextureCoordinateData> uv, uv1;
        Array<VertexColorData> colours;
        const float corners[4][2] = {{-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}};
        for (const auto& c : corners) {
            positions.pushBack(lying ? PrimitiveData{c[0], 0.0f, -c[1]}
                                     : PrimitiveData{0.0f, c[1], -c[0]});
            normals.pushBack(lying ? NormalData{0, 1, 0} : NormalData{1, 0, 0});
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

boost::shared_ptr<ZqMatrix<4, 4>> placedAt(const ZqVector<3>& at,
                                           const ZqMatrix<4, 4>& turn = ZqMatrix<4, 4>()) {
    boost::shared_ptr<ZqMatrix<4, 4>> world(new ZqMatrix<4, 4>(turn));
    (*world)[3] = at.x;
    (*world)[7] = at.y;
    (*world)[11] = at.z;
    return world;
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

// The game's programs fed by the game's updaters, drawing what the tests place in the world
// as it runs.
class ShaderValuesTest : public trellin_test::RenderedWorldTest {
protected:
    // Starts a frame of the scene camera on a plain background.
    void startFrame(float r, float g, float b) {
        const boost::shared_ptr<RenderTarget> target =
            GraphicsSystem::instance_->getCurrentRenderTarget();
        target->setBackgroundClearColor(ZqColorRoot<float>{r, g, b, 1.0f});
        target->startFrame();
        GraphicsSystem::instance_->setCamera(scene().getSceneCamera());
    }
    static void endFrame() { GraphicsSystem::instance_->getCurrentRenderTarget()->endFrame(); }
    static void draw(const char* program, const Square& square,
                     const boost::shared_ptr<ZqMatrix<4, 4>>& world, float emissive = 1.0f) {
        GraphicsSystem::instance_->drawStaticItem(whiteMaterial(program, emissive), square.vertices,
                                                  square.indices, world);
    }
    // The value a program last received for a uniform.
    static std::vector<float> uniform(const char* program, const char* name, int count) {
        const boost::shared_ptr<ShaderProgram> p =
            ShaderManager::instance_->getShaderProgram(HashString(program));
        std::vector<float> v(16, -1.0f);
        glGetUniformfv(p->programName, GLint(p->getUniform(HashString(name)).location), v.data());
        v.resize(std::size_t(count));
        return v;
    }
};

// Every program that draws the world bends it the same way, as the curvature snippet says;
// the others do not bend. A square far ahead lands where the snippet's formula puts it.
TEST_F(ShaderValuesTest, WorldProgramsBendAlike) {
    world->startRun();
    player().speed = 40.0f;
    ASSERT_TRUE(driveUntil([this] { return scene().getZCurvature() > 850.0f; }));
    const Square square(false);
    const ZqVector<3> at = player().drawPosition + ZqVector<3>(-40.0f, 0.0f, 0.0f);
    float bentX = 0, bentY = 0, flatX = 0, flatY = 0;
    ASSERT_TRUE(project(at, bentX, bentY));
    ASSERT_TRUE(project(at, flatX, flatY, false));
    ASSERT_GT(std::hypot(bentX - flatX, bentY - flatY), 20.0f);
    for (const GameProgram& p : GAME_PROGRAMS) {
        SCOPED_TRACE(p.name);
        startFrame(0, 0, 0);
        draw(p.name, square, placedAt(at));
        float x = 0, y = 0;
        const bool drawn = litCentre(pixels(), x, y);
        endFrame();
        ASSERT_TRUE(drawn);
        EXPECT_NEAR(x, p.bent ? bentX : flatX, 1.5f);
        EXPECT_NEAR(y, p.bent ? bentY : flatY, 1.5f);
    }
}

// Normals reach the light through the world matrix as the renderer hands it over: a square
// turned to face the camera is lit by a light shining away from the camera, and the same
// square turned away is not.
TEST_F(ShaderValuesTest, NormalsTurnWithTheWorldMatrix) {
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
    world->startRun();
    frames(2);
    const ZqVector<3> at = player().drawPosition + ZqVector<3>(-6.0f, 0.5f, 0.0f);
    float x = 0, y = 0;
    ASSERT_TRUE(project(at, x, y));
    const Square square(true);
    // The square turned away shows its back.
    GraphicsSystem::instance_->getCurrentRenderTarget()->disableBackFaceCulling();
    uint32_t seen[2] = {0, 0};
    for (int turn = 0; turn < 2; ++turn) {
        // About Z by -90 degrees the normal +Y turns to +X, by +90 degrees to -X.
        const float angle = (turn == 0 ? -90.0f : 90.0f) * ZqMaths::DEGREES_TO_RADIANS;
        startFrame(0, 0, 1);
        draw("DEFAULT_SHADER", square, placedAt(at, ZqMatrix<4, 4>(0.0f, 0.0f, angle)), 0.0f);
        seen[turn] = pixels().rgb(int(x), int(y));
        endFrame();
    }
    EXPECT_EQ(seen[0], 0xFFFFFFu) << std::hex << seen[0];
    EXPECT_EQ(seen[1], 0x000000u) << std::hex << seen[1];
}

// The bend of a frame is the one its first draw found, for every program, even when the
// scene bends further during the frame; the craft's colours are taken again for every draw.
TEST_F(ShaderValuesTest, CurvatureHoldsForTheFrameAndCraftColoursForTheDraw) {
    world->startRun();
    player().speed = 40.0f;
    ASSERT_TRUE(driveUntil([this] {
        return scene().isZTargetActive() && std::abs(scene().getZCurvature()) > 300.0f;
    }));
    dropShield();
    const Square square(false);
    const auto world = placedAt(player().drawPosition + ZqVector<3>(-10.0f, 0.0f, 0.0f));
    const float first = scene().getZCurvature();

    startFrame(0, 0, 0);
    draw("DEFAULT_SHADER", square, world);
    EXPECT_EQ(uniform("DEFAULT_SHADER", "u_curvatureZFactor", 1), std::vector<float>{first});
    scene().updateCurvature(player().distance, false);
    const float second = scene().getZCurvature();
    ASSERT_NE(second, first);
    draw("BARRIER_SHADER", square, world);
    EXPECT_EQ(uniform("BARRIER_SHADER", "u_curvatureZFactor", 1), std::vector<float>{first});
    EXPECT_EQ(uniform("BARRIER_SHADER", "u_curvatureFactor", 1), std::vector<float>{1400.0f});

    draw("AIRCRAFT_BODY_SHADER", square, world);
    EXPECT_EQ(uniform("AIRCRAFT_BODY_SHADER", "u_airCraftBodyColor", 3),
              (std::vector<float>{1, 1, 1}));
    player().setShipToBlack();
    draw("AIRCRAFT_BODY_SHADER", square, world);
    EXPECT_EQ(uniform("AIRCRAFT_BODY_SHADER", "u_airCraftBodyColor", 3),
              (std::vector<float>{0.2f, 0.2f, 0.2f}));
    endFrame();

    startFrame(0, 0, 0);
    draw("BARRIER_SHADER", square, world);
    EXPECT_EQ(uniform("BARRIER_SHADER", "u_curvatureZFactor", 1), std::vector<float>{second});
    endFrame();
}

}  // namespace
