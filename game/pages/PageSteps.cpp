#include "game/pages/PageSteps.h"

#include "game/objects/ObjectManager.h"
#include "game/scene/SceneManager.h"
#include "game/time/TimeManager.h"

namespace PageSteps {

namespace {

// The page timers: the UI's and the world's.
constexpr int PAGE_TIMERS[] = {TimeManager::UI_TIMER, TimeManager::WORLD_TIMER};

}  // namespace

SceneManager* readyScene() {
    SceneManager* scene = SceneManager::instance_;
    if (scene == nullptr || !scene->getTileManager() || !scene->getObjectManager()) {
        return nullptr;
    }
    return scene;
}

void pauseTimers() {
    if (TimeManager* time = TimeManager::instance_) {
        for (int index : PAGE_TIMERS) {
            time->getTimer(index).lastDelta = 0.0;
            time->getTimer(index).paused = true;
        }
    }
}

void unpauseTimers() {
    if (TimeManager* time = TimeManager::instance_) {
        for (int index : PAGE_TIMERS) {
            time->getTimer(index).paused = false;
        }
    }
}

void titleObjects() {
    SceneManager* scene = readyScene();
    if (scene == nullptr) {
        return;
    }
    ObjectManager& objects = *scene->getObjectManager();
    objects.vulnerable = false;
    objects.wallsVisible = false;
    objects.titleCamera = true;
}

}  // namespace PageSteps
