#pragma once

#include <cstddef>
#include <initializer_list>

#include "game/manager/GameDataTables.h"

// What the game asks of its pages, string tables, fonts, sounds and music, and under which
// names (archive paths below the archive's root, music paths below the run folder).

inline constexpr const char* PAGE_FOLDER = "scripts/Rml/";
inline constexpr const char* TABLE_FOLDER = "scripts/Rml/Locale/";

struct GamePage {
    const char* name;
    const char* file;  // under PAGE_FOLDER
    // The event values the page's handler acts on (or takes without effect).
    std::initializer_list<const char*> events;
};

inline const GamePage GAME_PAGES[] = {
    {"title",
     "ludra_title_screen.rml",
     {"start_game", "refresh_page_info", "play_sound", "toggle_bonus_distance", "music_toggle",
      "open_trellin_plus_link", "open_xmas_trellin_link", "open_more_games", "submit_score",
      "setup_zeemote", "goto_credits", "goto_howtoplay"}},
    {"hud", "ludra_hud.rml", {"player_move_left", "player_move_right"}},
    {"pause", "ludra_pause.rml", {"pause_game", "resume_game", "kill_game"}},
    {"restart", "ludra_restart.rml", {"restart_game", "kill_game", "pause_game", "submit_score"}},
};

struct GameLanguage {
    const char* code;   // as LANG begins
    const char* table;  // under TABLE_FOLDER
};

inline constexpr GameLanguage GAME_LANGUAGES[] = {
    {"en", "strings_english.bin"}, {"fr", "strings_french.bin"},  {"it", "strings_italian.bin"},
    {"de", "strings_german.bin"},  {"es", "strings_spanish.bin"},
};

// Every key of the game's texts: the pages may use more, the game code looks up S_MUSIC, S_ON
// and S_OFF.
inline constexpr const char* GAME_STRING_KEYS[] = {
    "S_BACK",
    "S_BEST_SCORE",
    "S_CONTROL",
    "S_CONTROL_DESCRIPTION",
    "S_CREDITS",
    "S_GAME",
    "S_GAME_DESCRIPTION",
    "S_GAME_OVER",
    "S_HOW_TO_PLAY",
    "S_LAST_SESSION",
    "S_LEADERBOARDS",
    "S_MAIN_MENU",
    "S_MORE_GAMES",
    "S_MUSIC",
    "S_OFF",
    "S_ON",
    "S_PAUSE",
    "S_POWERUP",
    "S_POWERUP_DESCRIPTION",
    "S_RESTART",
    "S_RESULTS_BEST_SCORE",
    "S_RESULTS_CURRENT_SCORE",
    "S_SETUP_ZEEMOTE",
    "S_START",
    "S_S_SCORE",
};

// The game's fonts, under the archive's data folder, Data/Android/.
inline constexpr const auto& GAME_FONTS = GameDataTables::FONTS;

// Data/Android/Audio/<name>.wav
inline constexpr const char* GAME_SOUNDS[] = {"UiAccept",    "TechExplosion", "WooshBarrier",
                                              "Engine",      "ShieldBegin",   "ShieldEnd",
                                              "DestroyEnemy"};

// Under the run folder.
inline constexpr const char* GAME_MUSIC[] = {"app/native/audio/TitleMusic.mp3",
                                             "app/native/audio/BGMusic.mp3"};
