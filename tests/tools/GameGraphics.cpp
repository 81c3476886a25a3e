#include "tests/tools/GameGraphics.h"

#include "core/data/StaticObjectLoader.h"
#include "game/shader/ShaderParameterUpdaters.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/shader/ShaderManager.h"
#include "graphics/texture/TextureLoader.h"
#include "graphics/texture/TextureManager.h"
#include "tests/tools/GameDataNames.h"

using namespace orvo;

std::string loadGameGraphics() {
    if (!registerShaderParameterUpdaters()) {
        return "the updaters are not registered";
    }

    const ZqString lightStem = ZqString(DATA_FOLDER) + LIGHT_FILE;
    Array<LightData> lights;
    Array<HashString> lightIds;
    LightManager& lightManager = *GraphicsSystem::instance_->getLightManager();
    if (StaticObjectLoader::loadObjects(lights, lightStem, 0) <= 0 ||
        !StaticObjectLoader::loadRemaining(lightIds, lights, lightStem, 0) ||
        !lightManager.createGroup(lightManager.getDynamicStore(), LIGHT_GROUP) ||
        !lightManager.insertGroup(lightManager.getDynamicStore(), LIGHT_GROUP, lightIds, lights)) {
        return "the lights do not load";
    }

    for (const GameProgram& p : GAME_PROGRAMS) {
        if (!ShaderManager::instance_->addShaderProgram(
                HashString(p.name), ZqString(SHADER_FOLDER) + p.vertexFile,
                ZqString(SHADER_FOLDER) + p.fragmentFile, ZqString(), ZqString())) {
            return std::string(p.name) + " does not build";
        }
    }

    TextureManager::instance_->initialise(0xFFFF00FF);
    for (const GameTextureGroup& g : GAME_TEXTURE_GROUPS) {
        if (TextureLoader::loadTextures(HashString(g.group), ZqString(DATA_FOLDER) + g.folder)
                .empty()) {
            return std::string(g.folder) + " does not load";
        }
    }
    return std::string();
}
