#pragma once

#include <initializer_list>

#include "core/log/ErrorLine.h"

namespace orvo {

// One line of a failed script or UI variable: "RocketTcl error: " in red, then the texts.
inline void logRocketTclError(std::initializer_list<const char*> texts) {
    logLine(LineKind::ERROR, "RocketTcl error: ", texts);
}

}  // namespace orvo
