#pragma once

#include <cstdint>

#include "core/text/ZqString.h"

// The application's compiled-in configuration and the main loop's start-up values.

// true: the data come from the archive app/native/trellin.pak; false: from the loose folder
// app/native/TrellinData, with the archive's name read from scripts/Lua/config.lua.
extern const bool USE_PAK_FILE;
extern uint32_t SCREEN_WIDTH;
extern uint32_t SCREEN_HEIGHT;
extern bool WINDOWED;
extern orvo::ZqString GAME_NAME;
extern orvo::ZqString pakName;

// The moment frame 0 of the current count was due, on the engine clock.
extern double referenceTime;
extern float frameCount;
// The float 1/60 s, widened.
extern double SINGLE_FRAME_DURATION;
// The whole milliseconds that a 1 ms sleep takes.
extern int32_t SLEEP_RESOLUTION;
extern double sleepResolutionTimer;
