#include "game/pages/PauseMenu.h"

#include "game/manager/GameManager.h"
#include "game/objects/ObjectManager.h"
#include "game/pages/PageSteps.h"
#include "game/scene/SceneManager.h"
#include "game/sound/GameSoundManager.h"
#include "game/track/TileManager.h"

namespace {

void pauseGame(GameManager& game, GameSoundManager* sound) {
    if (sound != nullptr) {
        sound->pauseAll();
    }
    game.guiPaused = true;
    PageSteps::pauseTimers();
}

void resumeGame(GameManager& game, GameSoundManager* sound) {
    if (sound != nullptr) {
        sound->resumeAll();
    }
    game.gameRunning = true;
    game.pauseMenuShown = false;
    game.guiPaused = false;
    game.onTitle = false;
    PageSteps::unpauseTimers();
}

void killGame(GameManager& game, GameSoundManager* sound) {
    if (sound != nullptr) {
        sound->playMusic(GameSoundManager::TITLE_MUSIC, true);
    }
    PageSteps::unpauseTimers();
    game.onTitle = true;
    game.restartMenuShown = false;
    game.sessionActive = false;
    game.guiPaused = false;
    game.gameRunning = false;
    game.pauseMenuShown = false;
    // A run paused during its crash countdown ends here: no restart page on the title or in
    // the next run.
    game.clearGameOver();
    if (SceneManager* scene = PageSteps::readyScene()) {
        scene->getTileManager()->resetTiles();
        scene->resetSceneCurvatures();
        scene->getObjectManager()->laneModeResetObjectPositions();
    }
    PageSteps::titleObjects();
}

}  // namespace

void PauseMenu::processEvent(Rocket::Core::Element*, const orvo::ZqString&,
                             const orvo::ZqString& value) {
    GameManager* game = GameManager::instance_;
    if (game == nullptr) {
        return;
    }
    GameSoundManager* sound = GameSoundManager::instance_;
    if (value == "pause_game") {
        pauseGame(*game, sound);
    } else if (value == "resume_game") {
        resumeGame(*game, sound);
    } else if (value == "kill_game") {
        killGame(*game, sound);
    }
}
