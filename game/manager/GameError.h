#pragma once

#include "core/text/ZqString.h"

// One "Game Error" line: what the game could not load, then what it concerns (a file or
// folder name). The load goes on with what it has; this line is what the player is told.
void logGameError(const char* what, const orvo::ZqString& detail);
