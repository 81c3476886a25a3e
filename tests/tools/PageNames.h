#pragma once

#include <cstddef>
#include <initializer_list>

#include "game/manager/GameDataTables.h"

// What the game asks of its pages, string tables, fonts, sounds and music: the names come from
// the game's own tables; the pages' events and the texts' keys are what the tests add.

struct GamePage {
    const char* name;      // what the tests call it
    const char* document;  // its path in the archive
    // The event values the page's handler acts on (or takes without effect).
    std::initializer_list<const char*> events;
};

inline const GamePage GAME_PAGES[] = {
    {"title",
     GameDataTables::TITLE_PAGE.document,
     {"start_game", "refresh_page_info", "play_sound", "toggle_bonus_distance", "music_toggle",
      "open_trellin_plus_link", "open_xmas_trellin_link", "open_more_games", "submit_score",
      "setup_zeemote", "goto_credits", "goto_howtoplay"}},
    {"hud", GameDataTables::HUD_PAGE.document, {"player_move_left", "player_move_right"}},
    {"pause", GameDataTables::PAUSE_PAGE.document, {"pause_game", "resume_game", "kill_game"}},
    {"restart",
     GameDataTables::RESTART_PAGE.document,
     {"restart_game", "kill_game", "pause_game", "submit_score"}},
};

using GameLanguage = GameDataTables::LanguageTable;
inline constexpr const auto& GAME_LANGUAGES = GameDataTables::LANGUAGE_TABLES;

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

// The game's fonts, under the archive's data folder.
inline constexpr const auto& GAME_FONTS = GameDataTables::FONTS;

// Under the data folder's sound folder, as <name>.wav.
inline constexpr const auto& GAME_SOUNDS = GameDataTables::SOUNDS;

// Under the run folder.
inline constexpr const char* GAME_MUSIC[] = {GameDataTables::TITLE_MUSIC_FILE,
                                             GameDataTables::INGAME_MUSIC_FILE};
