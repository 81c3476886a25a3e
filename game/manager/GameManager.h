#pragma once

#include "core/locator/ServiceSingleton.h"
#include "game/save/SaveRecord.h"

class AirCraft;

// The game's top-level controller: the run flags that say which page is up and whether play
// goes on, one whole frame of the game, the session logic, the save record and the one-time
// load of the game's data.
class GameManager : public orvo::Locator::ServiceSingleton<GameManager> {
public:
    static constexpr float GAME_OVER_COUNTDOWN = 1.5f;
    static constexpr float GAME_OVER_WORLD_SCALE = 0.1f;

    // Also gives the page scripts their store and advert variables.
    GameManager();

    // One frame: clock, session, input, scene, messages, scripts, sounds, the UI, then
    // rendering.
    void update();
    // The same frame without its rendering step: what the world does in a frame, not what
    // drawing it costs.
    void updateWithoutRendering();
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
    // Ends a crash countdown that is under way, and with it the world's slow motion.
    void clearGameOver();
    // The title page's scores and toggle labels.
    void refreshTitleScreenDetails();

    // Brings the game up on the first call (strings, updaters, bindings, lights, programs,
    // textures, scene, page handlers, fonts, the title page, the record, the sounds); later
    // calls do nothing until destroyGameData.
    void loadGameData();
    // Releases what the load put into the light and texture services.
    void destroyGameData();
    // Rebuilds the graphics side (textures, programs, fonts, the open pages) after the graphics
    // context was lost.
    void reloadGameData();
    // The string table of the system language, unless a table is loaded.
    void loadLanguageLocale();

    void saveData();
    void loadData();

    // The player's craft, when the scene has made it.
    static AirCraft* playerAirCraft();

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
    void frame(bool render);
    void openPausePage();
    void openRestartPage();
    // Words 0 to 3 from the player craft.
    void copyResults();
    // Focus, pointer and buttons of GLOBAL_CONTROLS into the UI.
    void updateUiInput();
    void showHudScore();
};
