#include "tests/tools/GameDataFixture.h"

#include "core/data/StaticObjectLoader.h"
#include "core/file/FileBase.h"
#include "core/locator/ServiceSingleton.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/material/MaterialManager.h"
#include "graphics/shader/ShaderManager.h"
#include "graphics/texture/TextureLoader.h"
#include "graphics/texture/TextureManager.h"
#include "tests/core/file/TempDirectory.h"

using namespace orvo;

void GameDataTest::SetUp() {
    GraphicsTest::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_NE(Locator::registerService<MaterialManager>("MaterialManager"), nullptr);
    FileBase::setRootPath(TRELLIN_RUN_FOLDER "/app/native/trellin.pak");

    updaters = registerSceneUpdaters(scene);

    Array<LightData> lights;
    Array<HashString> lightIds;
    ASSERT_GT(StaticObjectLoader::loadObjects(lights, LIGHT_STEM, 0), 0) << "no light records";
    ASSERT_TRUE(StaticObjectLoader::loadRemaining(lightIds, lights, LIGHT_STEM, 0));
    LightManager& lightManager = *GraphicsSystem::instance_->getLightManager();
    ASSERT_TRUE(lightManager.createGroup(lightManager.getDynamicStore(), LIGHT_GROUP));
    ASSERT_TRUE(
        lightManager.insertGroup(lightManager.getDynamicStore(), LIGHT_GROUP, lightIds, lights));

    for (const GameProgram& p : GAME_PROGRAMS) {
        programs_.push_back(ShaderManager::instance_->addShaderProgram(
            HashString(p.name), ZqString(SHADER_FOLDER) + p.vertexFile,
            ZqString(SHADER_FOLDER) + p.fragmentFile, ZqString(), ZqString()));
        ASSERT_TRUE(programs_.back()) << p.name << " does not build";
    }

    TextureManager::instance_->initialise(0xFFFF00FF);
    for (const GameTextureGroup& g : GAME_TEXTURE_GROUPS) {
        textureNames.push_back(
            TextureLoader::loadTextures(HashString(g.group), ZqString(DATA_FOLDER) + g.folder));
        ASSERT_FALSE(textureNames.back().empty()) << g.folder << " does not load";
    }

    for (const GameModelFolder& folder : GAME_MODELS) {
        std::unique_ptr<GameModel>& m = models_[folder.folder];
        m.reset(new GameModel());
        std::string error;
        ASSERT_TRUE(m->load(folder, error)) << error;
    }
}

void GameDataTest::TearDown() {
    models_.clear();
    updaters.clear();
    Locator::deregisterService<MaterialManager>();
    trellin_test::TempDirectory::resetFileState();
    GraphicsTest::TearDown();
}
