#pragma once

#include "core/log/LoggerOutputCout.h"

namespace orvo {

// The platform console output installed at start-up. This platform's console is standard
// output, so it writes exactly as the default output does.
class LoggerOutputPlaybook : public LoggerOutputCout {};

}  // namespace orvo
