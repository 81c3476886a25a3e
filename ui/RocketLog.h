#pragma once

#include <initializer_list>

#include "core/log/Logger.h"

namespace orvo {

// One line of a failed script or UI variable: "RocketTcl error: " in red, then the texts.
inline void logRocketTclError(std::initializer_list<const char*> texts) {
    ZqLog.lock();
    ZqLog.setLevel(8);
    ZqLog.processSpecialMode(Logger::RED);
    ZqLog.log("RocketTcl error: ");
    for (const char* text : texts) {
        ZqLog.log(text);
    }
    ZqLog.processSpecialMode(Logger::END_OF_LINE);
    ZqLog.unlock();
}

}  // namespace orvo
