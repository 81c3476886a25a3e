#pragma once

#include "core/log/LoggerOutputFunctor.h"

namespace orvo {

// Writes each text to standard output and flushes it, so that lines survive a crash. A null
// text writes nothing (it must not leave the stream in a failed state).
// Colours are written only to a terminal, and not when NO_COLOR is set: a file or a pipe gets
// the texts alone. On a terminal, white (the lines' normal text) and the default colour are the
// terminal's own colours, so that what follows a line reads on a light background too.
class LoggerOutputCout : public LoggerOutputFunctor {
public:
    LoggerOutputCout();
    explicit LoggerOutputCout(bool colours) : colours_(colours) {}

    void operator()(const char* text) const override;
    void writeColour(int colour, const char* escape) const override;

    // True when descriptor is a terminal and NO_COLOR is not set to a text.
    static bool coloursWanted(int descriptor);

private:
    bool colours_;
};

}  // namespace orvo
