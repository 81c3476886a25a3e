#pragma once

#include "core/log/LoggerOutputFunctor.h"

namespace orvo {

// Writes each text to standard output and flushes it, so that lines survive a crash. A null
// text writes nothing (it must not leave the stream in a failed state).
class LoggerOutputCout : public LoggerOutputFunctor {
public:
    void operator()(const char* text) const override;
};

}  // namespace orvo
