#include "game/manager/GameError.h"

#include "core/log/ErrorLine.h"

void logGameError(const char* what, const orvo::ZqString& detail) {
    orvo::logErrorLine("Game Error: ", what, detail.c_str());
}
