#pragma once

class SceneManager;

// Steps that several pages take.
namespace PageSteps {

// The scene when its track and objects exist, else null.
SceneManager* readyScene();

// The UI and world timers stop: their last delta becomes 0 and they ignore frames.
void pauseTimers();
void unpauseTimers();
// The objects as the title shows them: harmless, no walls, the title camera.
void titleObjects();

}  // namespace PageSteps
