#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/locator/ServiceSingleton.h"
#include "core/maths/ZqMaths.h"
#include "game/objects/AirCraft.h"
#include "game/shader/ShaderParameterUpdaters.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/material/Material.h"
#include "graphics/shader/ShaderCache.h"
#include "graphics/shader/ShaderParameter.h"
#include "tests/game/support/WorldFixture.h"

using namespace orvo;

namespace {

typedef boost::shared_ptr<BaseShaderParameterUpdater> UpdaterPtr;
typedef boost::shared_ptr<ZqMatrix<4, 4>> MatrixPtr;

// The game's updaters over a headless world (its scene, its player craft, the graphics
// service's lights and its null render target).
class ShaderParameterUpdatersTest : public trellin_test::WorldFixture {
protected:
    void SetUp() override {
        trellin_test::WorldFixture::SetUp();
        ASSERT_NE(Locator::registerService<ShaderCache>("ShaderCache"), nullptr);
        ASSERT_TRUE(registerShaderParameterUpdaters());
    }
    void TearDown() override {
        Locator::deregisterService<ShaderCache>();
        trellin_test::WorldFixture::TearDown();
    }

    static const UpdaterPtr& updater(const char* uniform) {
        for (const ShaderCache::UpdaterEntry& entry : ShaderCache::instance_->getRegistry()) {
            if (entry.name == HashString(uniform)) {
                return entry.updater;
            }
        }
        static const UpdaterPtr none;
        return none;
    }
    // The value the updater computes for a draw.
    static std::vector<float> value(
        const char* uniform, const MatrixPtr& world = MatrixPtr(),
        const boost::shared_ptr<const Material>& material = boost::shared_ptr<const Material>()) {
        const UpdaterPtr& u = updater(uniform);
        if (!u) {
            ADD_FAILURE() << uniform << " is not registered";
            return {};
        }
        u->update(world, material);
        return std::vector<float>(u->getValueData(), u->getValueData() + u->getValueFloatCount());
    }

    static void addLights(const std::vector<std::pair<const char*, LightData>>& lights) {
        Array<HashString> ids;
        Array<LightData> records;
        for (const auto& light : lights) {
            ids.pushBack(HashString(light.first));
            records.pushBack(light.second);
        }
        LightManager& manager = *GraphicsSystem::instance_->getLightManager();
        const HashString group("LUDRA_LIGHTS");
        ASSERT_TRUE(manager.createGroup(manager.getDynamicStore(), group));
        ASSERT_TRUE(manager.insertGroup(manager.getDynamicStore(), group, ids, records));
    }
    static LightData light(float r, float g, float b, float a, float x, float y, float z) {
        LightData l;
        const float values[11] = {r, g, b, a, 9, 9, 9, x, y, z, 9};
        std::copy(values, values + 11, l.values);
        return l;
    }
};

typedef std::vector<float> Floats;

// The uniforms, value types and cache kinds, in the order the renderer finds them.
TEST_F(ShaderParameterUpdatersTest, TheEighteenAreRegisteredInOrderWithTheirTypesAndCaches) {
    struct Row {
        const char* uniform;
        uint32_t type;
        uint32_t cacheKind;
    };
    const uint32_t F = ShaderParameter::FLOAT, V3 = ShaderParameter::FLOAT_VEC3,
                   V4 = ShaderParameter::FLOAT_VEC4, M4 = ShaderParameter::FLOAT_MAT4;
    const Row table[] = {
        {"u_transform", M4, 0},
        {"u_modelViewProj", M4, 0},
        {"u_emissiveLevel", F, 0},
        {"u_materialDiffuseColor", V3, 0},
        {"u_materialSpecularFactor", F, 0},
        {"u_materialSpecularPower", F, 0},
        {"u_worldInverseTranspose", M4, 0},
        {"u_ambientLightColor", V3, 1},
        {"u_diffuseLight1Color", V4, 1},
        {"u_diffuseLight1Direction", V4, 2},
        {"u_diffuseLight2Color", V4, 1},
        {"u_diffuseLight2Direction", V4, 2},
        {"u_diffuseLight3Color", V4, 1},
        {"u_diffuseLight3Direction", V4, 2},
        {"u_curvatureFactor", F, 2},
        {"u_curvatureZFactor", F, 2},
        {"u_airCraftBodyColor", V3, 0},
        {"u_airCraftSymbolColor", V3, 0},
    };
    const ShaderCache::UpdaterArray& registry = ShaderCache::instance_->getRegistry();
    ASSERT_EQ(registry.size(), sizeof(table) / sizeof(table[0]));
    for (std::size_t i = 0; i < registry.size(); ++i) {
        SCOPED_TRACE(table[i].uniform);
        const BaseShaderParameterUpdater& u = *registry[i].updater;
        EXPECT_EQ(registry[i].name, HashString(table[i].uniform));
        EXPECT_EQ(u.getName(), HashString(table[i].uniform));
        EXPECT_EQ(u.getValueType(), table[i].type);
        EXPECT_EQ(u.getCacheKind(), table[i].cacheKind);
        // Nothing computed yet: floats and matrices start at zero.
        for (unsigned f = 0; f < u.getValueFloatCount(); ++f) {
            EXPECT_EQ(u.getValueData()[f], 0.0f);
        }
    }
}

TEST_F(ShaderParameterUpdatersTest, WithoutAShaderCacheNothingIsRegistered) {
    Locator::deregisterService<ShaderCache>();
    EXPECT_FALSE(registerShaderParameterUpdaters());
}

// Lights that are not loaded are white, shining along +Z with w = 1; loaded ones give their
// colour and their direction with w = 0.
TEST_F(ShaderParameterUpdatersTest, LightsGiveTheirValuesOrTheDefaults) {
    EXPECT_EQ(value("u_ambientLightColor"), (Floats{1, 1, 1}));
    EXPECT_EQ(value("u_diffuseLight1Color"), (Floats{1, 1, 1, 1}));
    EXPECT_EQ(value("u_diffuseLight1Direction"), (Floats{0, 0, 1, 1}));

    addLights({{"ambientLight", light(0.1f, 0.2f, 0.3f, 0.4f, 5, 6, 7)},
               {"diffuseLight", light(0.5f, 0.6f, 0.7f, 0.8f, 0.0f, -0.6f, -0.8f)},
               {"diffuseLight3", light(0.9f, 0.8f, 0.7f, 0.6f, 1.0f, 0.0f, 0.0f)}});
    EXPECT_EQ(value("u_ambientLightColor"), (Floats{0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(value("u_diffuseLight1Color"), (Floats{0.5f, 0.6f, 0.7f, 0.8f}));
    EXPECT_EQ(value("u_diffuseLight1Direction"), (Floats{0.0f, -0.6f, -0.8f, 0.0f}));
    EXPECT_EQ(value("u_diffuseLight2Color"), (Floats{1, 1, 1, 1}));
    EXPECT_EQ(value("u_diffuseLight2Direction"), (Floats{0, 0, 1, 1}));
    EXPECT_EQ(value("u_diffuseLight3Color"), (Floats{0.9f, 0.8f, 0.7f, 0.6f}));
    EXPECT_EQ(value("u_diffuseLight3Direction"), (Floats{1, 0, 0, 0}));
}

TEST_F(ShaderParameterUpdatersTest, WorldMatricesAndTheirInverseTranspose) {
    // Scaled by 2 along X and moved to (3, 4, 5).
    const MatrixPtr world(new ZqMatrix<4, 4>(2, 0, 0, 3, 0, 1, 0, 4, 0, 0, 1, 5, 0, 0, 0, 1));
    EXPECT_EQ(value("u_transform", world), Floats(world->data(), world->data() + 16));
    EXPECT_EQ(value("u_worldInverseTranspose", world),
              (Floats{0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -1.5f, -4, -5, 1}));

    const MatrixPtr singular(new ZqMatrix<4, 4>(1, 2, 0, 0, 2, 4, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1));
    EXPECT_EQ(value("u_worldInverseTranspose", singular), Floats(16, 0.0f));

    ZqMatrix<4, 4> mvp;
    GraphicsSystem::instance_->getCurrentRenderTarget()->getModelViewProjectionMatrix(mvp);
    EXPECT_EQ(value("u_modelViewProj", world), Floats(mvp.data(), mvp.data() + 16));
}

TEST_F(ShaderParameterUpdatersTest, MaterialValues) {
    boost::shared_ptr<Material> material(new Material());
    const float colour[4] = {0.25f, 0.5f, 0.75f, 0.1f};
    std::copy(colour, colour + 4, material->diffuseColour);
    material->specularFactor = 0.6f;
    material->specularPower = 12.0f;
    material->emissiveLevel = 0.3f;
    EXPECT_EQ(value("u_materialDiffuseColor", MatrixPtr(), material), (Floats{0.25f, 0.5f, 0.75f}));
    EXPECT_EQ(value("u_materialSpecularFactor", MatrixPtr(), material), Floats{0.6f});
    EXPECT_EQ(value("u_materialSpecularPower", MatrixPtr(), material), Floats{12.0f});
    EXPECT_EQ(value("u_emissiveLevel", MatrixPtr(), material), Floats{0.3f});
}

// The curvature follows the scene's bend step by step, and the craft's colours follow its
// shield.
TEST_F(ShaderParameterUpdatersTest, SceneAndCraftValues) {
    EXPECT_EQ(value("u_curvatureFactor"), Floats{1400.0f});
    EXPECT_EQ(value("u_curvatureZFactor"), Floats{0.0f});
    ZqMaths::setRandomSeed(1337);
    for (int i = 0; i < 50; ++i) {
        world->scene().updateCurvature(1000, false);
        ASSERT_EQ(value("u_curvatureZFactor"), Floats{world->scene().getZCurvature()});
    }
    EXPECT_NE(world->scene().getZCurvature(), 0.0f);

    EXPECT_EQ(value("u_airCraftBodyColor"), (Floats{1, 1, 1}));
    EXPECT_EQ(value("u_airCraftSymbolColor"), (Floats{0.8f, 0, 0}));
    player().powerUp();
    EXPECT_EQ(value("u_airCraftBodyColor"), (Floats{0.2f, 0.2f, 0.2f}));
    EXPECT_EQ(value("u_airCraftSymbolColor"), (Floats{0.8f, 0.8f, 0}));
}

}  // namespace
