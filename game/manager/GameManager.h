#pragma once

#include "core/locator/ServiceSingleton.h"
#include "game/save/SaveRecord.h"

// The game's top-level controller: the run flags that say which page is up and whether play
// goes on, one whole frame of the game, the session logic and the save record.
class GameManager : public orvo::Locator::ServiceSingleton<GameManager> {
public:
    static constexpr float GAME_OVER_COUNTDOWN = 1.5f;
    static constexpr float GAME_OVER_WORLD_SCALE = 0.1f;

    GameManager();

    // One frame: clock, session, input, scene, messages, sounds, then rendering.
    void update();
    // The rendering step of update: the frame drawn from the world as it stands, and swapped.
    void renderFrame();
    void updateSession();
    // The crash of the unshielded player: slow motion, the countdown and a saved record.
    void restartSession();
    void sessionRestartUpdate();
    // The window left the foreground.
    void pauseSessionGui();
    void pauseGame();
    void resumeGame();

    // Starts a run from the title: in-game music, the session flags, a new track and the
    // objects set for play.
    void startGame();

    void saveData();
    void loadData();

    bool initialised;
    bool gameDataLoaded;
    bool onTitle;
    bool gameRunning;
    bool pauseMenuShown;
    bool restartMenuShown;
    bool sessionActive;
    bool guiPaused;
    bool gameOverPending;
    bool titleDetailsShown;
    bool paused;
    float gameOverCountdown;
    SaveRecord saveRecord;

private:
    // The pages of the game; their documents are shown here once the UI pages exist.
    void openPausePage();
    void openRestartPage();
    // Words 0 to 3 from the player craft.
    void copyResults();
};
