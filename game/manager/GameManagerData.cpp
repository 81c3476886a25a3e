#include <boost/shared_ptr.hpp>

#include "core/data/StaticObjectLoader.h"
#include "core/memory/ZequinAllocation.h"
#include "core/strings/Locale.h"
#include "core/strings/ZqStringTable.h"
#include "game/input/InputRegister.h"
#include "game/manager/GameDataTables.h"
#include "game/manager/GameError.h"
#include "game/manager/GameManager.h"
#include "game/pages/HudScreen.h"
#include "game/pages/PauseMenu.h"
#include "game/pages/RestartMenu.h"
#include "game/pages/TitleScreen.h"
#include "game/scene/SceneManager.h"
#include "game/shader/ShaderParameterUpdaters.h"
#include "game/sound/GameSoundManager.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/shader/ShaderManager.h"
#include "graphics/texture/TextureLoader.h"
#include "graphics/texture/TextureManager.h"
#include "ui/RocketSystem.h"

using namespace orvo;

namespace {

using namespace GameDataTables;

const HashString LUDRA_LIGHTS(LIGHT_GROUP);
// The built-in DefaultTexture's colour, opaque magenta. A material whose texture is missing
// does not get it: the renderer binds the built-in white texture for that slot.
const unsigned long DEFAULT_TEXTURE_COLOUR = 0xFFFF00FF;

const char* tableFor(int32_t language) {
    for (const LanguageTable& table : LANGUAGE_TABLES) {
        if (table.language == language) {
            return table.table;
        }
    }
    return LANGUAGE_TABLES[0].table;
}

// The light set goes in only whole: records and names both read and of one count.
void loadLights() {
    if (GraphicsSystem::instance_ == nullptr || !GraphicsSystem::instance_->getLightManager()) {
        return;
    }
    LightManager& lights = *GraphicsSystem::instance_->getLightManager();
    const ZqString stem = ZqString(DATA_FOLDER) + LIGHT_FILE;
    Array<LightData> records;
    Array<HashString> ids;
    const bool read = StaticObjectLoader::loadObjects(records, stem, 0) > 0 &&
                      StaticObjectLoader::loadRemaining(ids, records, stem, 0);
    lights.createGroup(lights.getDynamicStore(), LUDRA_LIGHTS);
    if (read) {
        lights.insertGroup(lights.getDynamicStore(), LUDRA_LIGHTS, ids, records);
    } else {
        logGameError("no lights from ", stem + ".objects");
    }
}

void addShaderPrograms() {
    if (ShaderManager::instance_ == nullptr) {
        return;
    }
    for (const Program& program : PROGRAMS) {
        ShaderManager::instance_->addShaderProgram(
            HashString(program.name), ZqString(SHADER_FOLDER) + program.vertex,
            ZqString(SHADER_FOLDER) + program.fragment, ZqString(), ZqString());
    }
}

void loadTextures() {
    if (TextureManager::instance_ == nullptr) {
        return;
    }
    TextureManager::instance_->initialise(DEFAULT_TEXTURE_COLOUR);
    for (const TextureGroup& textures : TEXTURE_GROUPS) {
        const ZqString folder = ZqString(DATA_FOLDER) + textures.folder;
        if (TextureLoader::loadTextures(textures.group, folder).empty()) {
            logGameError("no textures from ", folder);
        }
    }
}

// Removing a group deletes its GL textures, so this runs while the context is there.
void removeTextures() {
    if (TextureManager* textures = TextureManager::instance_) {
        for (const TextureGroup& group : TEXTURE_GROUPS) {
            textures->removeGroup(textures->getStaticStore(), group.group);
        }
    }
}

template <class Handler>
boost::shared_ptr<EventHandler> makeHandler() {
    Handler* handler = new (0, ZequinAllocation) Handler();
    return handler != nullptr ? boost::shared_ptr<EventHandler>(handler)
                              : boost::shared_ptr<EventHandler>();
}

// Before the title page loads, so that its first events find their handler.
void registerPageHandlers(RocketSystem& ui) {
    const boost::shared_ptr<EventHandler> pause = makeHandler<PauseMenu>();
    const boost::shared_ptr<EventHandler> title = makeHandler<TitleScreen>();
    const boost::shared_ptr<EventHandler> hud = makeHandler<HudScreen>();
    const boost::shared_ptr<EventHandler> restart = makeHandler<RestartMenu>();
    ui.registerPageEventHandler(TITLE_PAGE.document, title);
    ui.registerPageEventHandler(HUD_PAGE.document, hud);
    ui.registerPageEventHandler(PAUSE_PAGE.document, pause);
    ui.registerPageEventHandler(RESTART_PAGE.document, restart);
}

void loadFonts(RocketSystem& ui) {
    for (const char* font : FONTS) {
        ui.loadFont(ZqString(DATA_FOLDER) + font, ZqString());
    }
}

}  // namespace

void GameManager::loadLanguageLocale() {
    ZqStringTable* strings = ZqStringTable::instance_;
    if (strings == nullptr || strings->isLoaded()) {
        return;
    }
    Locale::currentLanguage_ = Locale::getSystemLanguage();
    const char* const table = tableFor(Locale::currentLanguage_);
    if (!strings->load(table)) {
        logGameError("no string table (every text shows its key): ", table);
    }
}

void GameManager::loadGameData() {
    if (gameDataLoaded) {
        return;
    }
    gameDataLoaded = true;
    loadLanguageLocale();
    // Without its updaters no shader gets its matrices or colours: nothing would draw right.
    // The flag stays set, so the failed load is not tried again every frame.
    if (!registerShaderParameterUpdaters()) {
        logGameError("the shader parameter updaters cannot be registered", "");
        return;
    }
    InputRegister::registerInputs();
    loadLights();
    addShaderPrograms();
    loadTextures();
    if (SceneManager::instance_ != nullptr) {
        SceneManager::instance_->initialise();
    }
    RocketSystem* ui = RocketSystem::instance_;
    if (ui != nullptr) {
        registerPageHandlers(*ui);
        loadFonts(*ui);
        ui->loadDocument(TITLE_PAGE.document, true);
    }
    const boost::shared_ptr<RenderTarget> target =
        GraphicsSystem::instance_ != nullptr ? GraphicsSystem::instance_->getCurrentRenderTarget()
                                             : boost::shared_ptr<RenderTarget>();
    if (ui != nullptr && target) {
        ui->setResolution(target->getDisplayWidth(), target->getDisplayHeight());
    }
    onTitle = true;
    initialised = true;
    gameRunning = false;
    loadData();
    if (target) {
        target->setBackgroundClearColor(ZqColorRoot<float>{0.0f, 0.0f, 0.0f, 0.0f});
    }
    if (GameSoundManager::instance_ != nullptr) {
        GameSoundManager::instance_->initialise();
    }
    if (!sessionActive) {
        refreshTitleScreenDetails();
    }
}

void GameManager::destroyGameData() {
    if (!gameDataLoaded) {
        return;
    }
    gameDataLoaded = false;
    if (GraphicsSystem::instance_ != nullptr && GraphicsSystem::instance_->getLightManager()) {
        LightManager& lights = *GraphicsSystem::instance_->getLightManager();
        lights.removeGroup(lights.getDynamicStore(), LUDRA_LIGHTS);
    }
    removeTextures();
}

void GameManager::reloadGameData() {
    if (!initialised) {
        return;
    }
    loadLanguageLocale();
    removeTextures();
    if (TextureManager::instance_ != nullptr) {
        TextureManager::instance_->uninitialise();
    }
    if (ShaderManager::instance_ != nullptr) {
        ShaderManager::instance_->shutdown();
    }
    if (RocketSystem* ui = RocketSystem::instance_) {
        ui->reinitialiseFonts();
        ui->loadShader();
        loadFonts(*ui);
        ui->reloadCurrentDocuments();
    }
    if (GraphicsSystem::instance_ != nullptr) {
        if (const boost::shared_ptr<RenderTarget> target =
                GraphicsSystem::instance_->getCurrentRenderTarget()) {
            // The renderer's state caches no longer match the new context: set every state
            // again through them.
            target->disableBackFaceCulling();
            target->enableBackFaceCulling();
            target->disableDepthTestRead();
            target->enableDepthTestRead();
            target->disableDepthTestWrite();
            target->enableDepthTestWrite();
            target->disableAlphaBlending();
            target->enableAlphaBlending();
        }
    }
    addShaderPrograms();
    loadTextures();
    if (!sessionActive) {
        refreshTitleScreenDetails();
    }
}
