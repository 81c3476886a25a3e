#include "game/pages/RestartMenu.h"

#include <Rocket/Core/ElementDocument.h>

#include "game/manager/GameManager.h"
#include "game/objects/ObjectManager.h"
#include "game/pages/PageSteps.h"
#include "game/pages/PageText.h"
#include "game/scene/SceneManager.h"
#include "game/sound/GameSoundManager.h"
#include "game/track/TileManager.h"

namespace {

void restartGame(GameManager& game, GameSoundManager* sound) {
    if (sound != nullptr) {
        sound->playSound(GameSoundManager::UI_ACCEPT, false);
        sound->playMusic(GameSoundManager::INGAME_MUSIC, true);
    }
    game.restartMenuShown = false;
    if (SceneManager* scene = PageSteps::readyScene()) {
        scene->resetSceneCurvatures();
        scene->getObjectManager()->laneModeResetObjectPositions();
        scene->getObjectManager()->vulnerable = true;
        scene->getTileManager()->resetTiles();
    }
}

void killGame(GameManager& game, GameSoundManager* sound) {
    if (sound != nullptr) {
        sound->playSound(GameSoundManager::UI_ACCEPT, false);
        sound->playMusic(GameSoundManager::TITLE_MUSIC, true);
    }
    game.onTitle = true;
    game.restartMenuShown = false;
    game.sessionActive = false;
    game.gameRunning = false;
    game.pauseMenuShown = false;
    PageSteps::unpauseTimers();
    if (SceneManager* scene = PageSteps::readyScene()) {
        scene->resetSceneCurvatures();
        scene->getTileManager()->resetTiles();
        scene->getObjectManager()->laneModeResetObjectPositions();
    }
    PageSteps::titleObjects();
}

void showScores(Rocket::Core::Element* element) {
    const AirCraft* craft = GameManager::playerAirCraft();
    if (element == nullptr || craft == nullptr) {
        return;
    }
    Rocket::Core::ElementDocument* page = element->GetOwnerDocument();
    PageText::show(page, "current_score", PageText::score(craft->score));
    PageText::show(page, "best_score", PageText::score(craft->bestScore));
}

}  // namespace

void RestartMenu::processEvent(Rocket::Core::Element* element, const orvo::ZqString&,
                               const orvo::ZqString& value) {
    GameManager* game = GameManager::instance_;
    if (game == nullptr) {
        return;
    }
    GameSoundManager* sound = GameSoundManager::instance_;
    if (value == "restart_game") {
        restartGame(*game, sound);
    } else if (value == "kill_game") {
        killGame(*game, sound);
    }
    showScores(element);
}
