#include "game/manager/GameManager.h"

#include "core/message/OsMessageHandler.h"
#include "game/objects/ObjectManager.h"
#include "game/scene/SceneManager.h"
#include "game/sound/GameSoundManager.h"
#include "game/time/TimeManager.h"
#include "game/track/TileManager.h"
#include "graphics/GraphicsSystem.h"
#include "input/PeripheralSystem.h"
#include "platform/playbook/PlatformInterface.h"
#include "platform/playbook/SaveDataUtilityModulePlaybook.h"

namespace {

AirCraft* playerCraft() {
    if (SceneManager::instance_ == nullptr || !SceneManager::instance_->getObjectManager()) {
        return nullptr;
    }
    return SceneManager::instance_->getObjectManager()->getPlayerAirCraft().get();
}

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
      gameOverCountdown(0.0f) {}

void GameManager::update() {
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
    // The script service and the UI's focus and pointer input join here with the UI pages.
    if (GameSoundManager::instance_ != nullptr) {
        GameSoundManager::instance_->update();
    }
    renderFrame();
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
    // The UI layers are drawn here, with the UI camera, once the UI pages exist.
    graphics->disableAlphaBlending();
    target->endFrame();
}

void GameManager::updateSession() {
    if (!sessionActive) {
        // The title page's texts are refreshed here, once per return to the title.
        titleDetailsShown = true;
        return;
    }
    sessionRestartUpdate();
    copyResults();
}

void GameManager::copyResults() {
    const AirCraft* craft = playerCraft();
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
    restartMenuShown = true;
    gameOverPending = false;
}

void GameManager::openPausePage() {
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

void GameManager::startGame() {
    playMusic(GameSoundManager::INGAME_MUSIC, true);
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
    if (AirCraft* craft = playerCraft()) {
        craft->bestScore = static_cast<float>(saveRecord.bestScore);
        craft->score = static_cast<float>(saveRecord.lastScore);
        craft->distance = saveRecord.distance;
        craft->bestDistance = saveRecord.bestDistance;
    }
}
