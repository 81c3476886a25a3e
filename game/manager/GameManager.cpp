#include "game/manager/GameManager.h"

#include <Rocket/Core/ElementDocument.h>

#include "core/message/OsMessageHandler.h"
#include "game/input/InputNames.h"
#include "game/manager/GameDataTables.h"
#include "game/objects/ObjectManager.h"
#include "game/pages/PageText.h"
#include "game/scene/SceneManager.h"
#include "game/sound/GameSoundManager.h"
#include "game/time/TimeManager.h"
#include "game/track/TileManager.h"
#include "graphics/GraphicsSystem.h"
#include "input/PeripheralSystem.h"
#include "platform/playbook/PlatformInterface.h"
#include "platform/playbook/SaveDataUtilityModulePlaybook.h"
#include "ui/RocketSystem.h"
#include "ui/script/ScriptSystem.h"

namespace {

boost::shared_ptr<orvo::SaveDataUtilityModulePlaybook> saveModule() {
    orvo::PlatformInterface* platform = orvo::PlatformInterface::getInstance();
    if (platform == nullptr) {
        return boost::shared_ptr<orvo::SaveDataUtilityModulePlaybook>();
    }
    return platform->getModule<orvo::SaveDataUtilityModulePlaybook>(orvo::SAVE_DATA_MODULE);
}

void playMusic(GameSoundManager::SoundName id, bool repeat) {
    if (GameSoundManager::instance_ != nullptr) {
        GameSoundManager::instance_->playMusic(id, repeat);
    }
}

void pauseMusic(GameSoundManager::SoundName id) {
    if (GameSoundManager::instance_ != nullptr) {
        GameSoundManager::instance_->pauseMusic(id);
    }
}

void resumeMusic(GameSoundManager::SoundName id) {
    if (GameSoundManager::instance_ != nullptr) {
        GameSoundManager::instance_->resumeMusic(id);
    }
}

}  // namespace

GameManager::GameManager()
    : initialised(false),
      gameDataLoaded(false),
      onTitle(false),
      gameRunning(false),
      pauseMenuShown(false),
      restartMenuShown(false),
      sessionActive(false),
      guiPaused(false),
      gameOverPending(false),
      titleDetailsShown(false),
      paused(false),
      gameOverCountdown(0.0f) {
    if (orvo::RocketSystem* ui = orvo::RocketSystem::instance_) {
        ui->setVariableValue("POCKETCHANGE", "0");
        ui->setVariableValue("INFINITGAME", "0");
        ui->setVariableValue("ADVERTS", "0");
    }
}

AirCraft* GameManager::playerAirCraft() {
    if (SceneManager::instance_ == nullptr || !SceneManager::instance_->getObjectManager()) {
        return nullptr;
    }
    return SceneManager::instance_->getObjectManager()->getPlayerAirCraft().get();
}

void GameManager::update() { frame(true); }

void GameManager::updateWithoutRendering() { frame(false); }

void GameManager::frame(bool render) {
    if (!initialised || paused) {
        return;
    }
    TimeManager* time = TimeManager::instance_;
    if (time != nullptr) {
        time->startFrame();
    }
    updateSession();
    if (orvo::PeripheralSystem::instance_ != nullptr) {
        orvo::PeripheralSystem::instance_->update();
    }
    if (SceneManager::instance_ != nullptr) {
        SceneManager::instance_->laneModeUpdateScene();
    }
    if (orvo::OsMessageHandler::instance_ != nullptr) {
        orvo::OsMessageHandler::instance_->update();
    }
    if (orvo::ScriptSystem::instance_ != nullptr) {
        orvo::ScriptSystem::instance_->update();
    }
    if (GameSoundManager::instance_ != nullptr) {
        GameSoundManager::instance_->update();
    }
    if (orvo::RocketSystem* ui = orvo::RocketSystem::instance_) {
        updateUiInput();
        ui->update(time != nullptr ? time->getTimer(TimeManager::UI_TIMER).lastDelta : 0.0);
    }
    if (render) {
        renderFrame();
    }
    if (time != nullptr) {
        time->endFrame();
    }
}

void GameManager::renderFrame() {
    orvo::GraphicsSystem* graphics = orvo::GraphicsSystem::instance_;
    SceneManager* scene = SceneManager::instance_;
    if (graphics == nullptr || scene == nullptr) {
        return;
    }
    const boost::shared_ptr<orvo::RenderTarget> target = graphics->getCurrentRenderTarget();
    if (!target) {
        return;
    }
    target->startFrame();
    graphics->setCamera(scene->getSceneCamera());
    scene->laneModeRenderScene();
    graphics->enableAlphaBlending();
    scene->laneModeRenderSceneAlphas();
    graphics->setCamera(scene->getUiCamera());
    if (orvo::RocketSystem::instance_ != nullptr) {
        orvo::RocketSystem::instance_->render("all");
    }
    graphics->disableAlphaBlending();
    target->endFrame();
}

namespace {

// A pointer coordinate as the UI takes it: whole pixels, truncated.
unsigned toPixel(float value) {
    if (!(value > 0.0f)) {
        return 0;
    }
    return value < 2147483647.0f ? static_cast<unsigned>(static_cast<int>(value)) : 2147483647u;
}

}  // namespace

void GameManager::updateUiInput() {
    orvo::RocketSystem& ui = *orvo::RocketSystem::instance_;
    if (orvo::PeripheralSystem::instance_ == nullptr) {
        return;
    }
    const orvo::ActionGroup& controls =
        orvo::PeripheralSystem::instance_->getActionGroup(GLOBAL_CONTROLS, 0);
    if (controls.hasInputChangedToOn(GLOBAL_FOCUS_PREVIOUS)) {
        ui.focusOnPrevious();
    } else if (controls.hasInputChangedToOn(GLOBAL_FOCUS_NEXT)) {
        if (controls.isInputOn(GLOBAL_SHIFT)) {
            ui.focusOnPrevious();
        } else {
            ui.focusOnNext();
        }
    }
    if (controls.hasInputChangedToOn(GLOBAL_FOCUS_SELECTED)) {
        ui.selectFocusedElement();
    }
    ui.setMousePosition(toPixel(controls.getInputValue(GLOBAL_POINTER_X_POSITION)),
                        toPixel(controls.getInputValue(GLOBAL_POINTER_Y_POSITION)));
    if (controls.hasInputChangedToOn(GLOBAL_POINTER_DOWN)) {
        ui.setMouseButtonDown(orvo::RocketSystem::MOUSE_BUTTON_LEFT);
    } else if (controls.hasInputChangedToOff(GLOBAL_POINTER_DOWN)) {
        ui.setMouseButtonUp(orvo::RocketSystem::MOUSE_BUTTON_LEFT);
    }
    if (controls.hasInputChangedToOn(GLOBAL_MOUSE_RIGHT_BUTTON)) {
        ui.setMouseButtonDown(orvo::RocketSystem::MOUSE_BUTTON_RIGHT);
    } else if (controls.hasInputChangedToOff(GLOBAL_MOUSE_RIGHT_BUTTON)) {
        ui.setMouseButtonUp(orvo::RocketSystem::MOUSE_BUTTON_RIGHT);
    }
}

void GameManager::updateSession() {
    if (!sessionActive) {
        // Once per return to the title: the scores of the session that just ended.
        if (!titleDetailsShown) {
            refreshTitleScreenDetails();
            titleDetailsShown = true;
        }
        return;
    }
    sessionRestartUpdate();
    copyResults();
    showHudScore();
}

void GameManager::showHudScore() {
    const AirCraft* craft = playerAirCraft();
    if (craft != nullptr) {
        PageText::show(
            PageText::findPage(GameDataTables::HUD_PAGE.name, GameDataTables::HUD_PAGE.document),
            "game_score", PageText::score(craft->score));
    }
}

void GameManager::refreshTitleScreenDetails() {
    Rocket::Core::ElementDocument* page =
        PageText::findPage(GameDataTables::TITLE_PAGE.name, GameDataTables::TITLE_PAGE.document);
    const AirCraft* craft = playerAirCraft();
    if (page == nullptr || craft == nullptr) {
        return;
    }
    PageText::show(page, "latest_score", PageText::score(craft->score));
    PageText::show(page, "best_score", PageText::score(craft->bestScore));
    PageText::show(page, "bonus_toggle", PageText::bonusLabel(craft->bonusDistance));
    const GameSoundManager* sound = GameSoundManager::instance_;
    PageText::show(page, "music_toggle",
                   PageText::musicLabel(sound != nullptr && sound->isMusicEnabled()));
}

void GameManager::copyResults() {
    const AirCraft* craft = playerAirCraft();
    if (craft == nullptr) {
        return;
    }
    saveRecord.bestScore = SaveRecord::toWord(craft->bestScore);
    saveRecord.lastScore = SaveRecord::toWord(craft->score);
    saveRecord.distance = craft->distance;
    saveRecord.bestDistance = craft->bestDistance;
}

void GameManager::restartSession() {
    sessionActive = true;
    gameOverPending = true;
    gameOverCountdown = GAME_OVER_COUNTDOWN;
    saveData();
}

void GameManager::sessionRestartUpdate() {
    TimeManager* time = TimeManager::instance_;
    if (time == nullptr) {
        return;
    }
    GameTimer& world = time->getTimer(TimeManager::WORLD_TIMER);
    if (!gameOverPending) {
        world.scale = 1.0f;
        return;
    }
    world.scale = GAME_OVER_WORLD_SCALE;
    gameOverCountdown -= static_cast<float>(time->getTimer(TimeManager::UI_TIMER).lastDelta);
    if (gameOverCountdown <= 0.0f) {
        openRestartPage();
    }
}

void GameManager::openRestartPage() {
    if (orvo::RocketSystem::instance_ != nullptr) {
        orvo::RocketSystem::instance_->loadDocument(GameDataTables::RESTART_PAGE.document, true);
    }
    restartMenuShown = true;
    gameOverPending = false;
}

void GameManager::openPausePage() {
    if (orvo::RocketSystem::instance_ != nullptr) {
        orvo::RocketSystem::instance_->loadDocument(GameDataTables::PAUSE_PAGE.document, true);
    }
    pauseMenuShown = true;
    guiPaused = true;
}

void GameManager::pauseSessionGui() {
    if (!pauseMenuShown && initialised && gameRunning && !gameOverPending && !restartMenuShown) {
        openPausePage();
    }
    pauseMusic(sessionActive ? GameSoundManager::INGAME_MUSIC : GameSoundManager::TITLE_MUSIC);
}

void GameManager::pauseGame() {
    paused = true;
    if (TimeManager* time = TimeManager::instance_) {
        for (GameTimer& timer : time->timers) {
            timer.lastDelta = 0.0;
            timer.paused = true;
        }
    }
    if (sessionActive || restartMenuShown) {
        pauseMusic(GameSoundManager::INGAME_MUSIC);
    }
}

void GameManager::resumeGame() {
    if (!paused) {
        return;
    }
    paused = false;
    if (TimeManager* time = TimeManager::instance_) {
        for (GameTimer& timer : time->timers) {
            timer.paused = false;
        }
    }
    resumeMusic(sessionActive ? GameSoundManager::INGAME_MUSIC : GameSoundManager::TITLE_MUSIC);
}

void GameManager::clearGameOver() {
    gameOverPending = false;
    if (TimeManager* time = TimeManager::instance_) {
        time->getTimer(TimeManager::WORLD_TIMER).scale = 1.0f;
    }
}

void GameManager::startGame() {
    playMusic(GameSoundManager::INGAME_MUSIC, true);
    // A countdown left over from a run that was ended from its pause page does not carry
    // into this one.
    clearGameOver();
    onTitle = false;
    sessionActive = true;
    titleDetailsShown = false;
    gameRunning = true;
    SceneManager* scene = SceneManager::instance_;
    if (scene == nullptr || !scene->getTileManager() || !scene->getObjectManager()) {
        return;
    }
    scene->getTileManager()->resetTiles();
    ObjectManager& objects = *scene->getObjectManager();
    objects.laneModeResetObjectPositions();
    objects.vulnerable = true;
    objects.wallsVisible = true;
    objects.titleCamera = false;
}

void GameManager::saveData() {
    copyResults();
    unsigned char bytes[SaveRecord::STORED_SIZE];
    saveRecord.encode(bytes);
    if (const auto module = saveModule()) {
        module->saveGameData(bytes, SaveRecord::STORED_SIZE);
    }
}

void GameManager::loadData() {
    const auto module = saveModule();
    if (!module || !module->saveGameExists()) {
        saveRecord.bestScore = 0;
        saveRecord.lastScore = 0;
        saveRecord.distance = 0;
        saveRecord.bestDistance = 0;
        saveData();
        return;
    }
    // A short record fills only its start; the other words keep their values.
    unsigned char bytes[SaveRecord::STORED_SIZE];
    saveRecord.encode(bytes);
    module->loadGameData(bytes, SaveRecord::STORED_SIZE);
    saveRecord.decode(bytes);
    if (AirCraft* craft = playerAirCraft()) {
        craft->bestScore = static_cast<float>(saveRecord.bestScore);
        craft->score = static_cast<float>(saveRecord.lastScore);
        craft->distance = saveRecord.distance;
        craft->bestDistance = saveRecord.bestDistance;
    }
}
