#include "core/log/LoggerOutputCout.h"

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

namespace orvo {

namespace {

constexpr int DEFAULT_COLOUR = 0;
constexpr int WHITE = 8;
const char* const TERMINAL_COLOUR = "\x1b[0m";

}  // namespace

LoggerOutputCout::LoggerOutputCout() : colours_(coloursWanted(STDOUT_FILENO)) {}

// stdio rather than iostreams: the global logger may write before the streams are initialised.
void LoggerOutputCout::operator()(const char* text) const {
    if (text == nullptr) {
        return;
    }
    std::fputs(text, stdout);
    std::fflush(stdout);
}

void LoggerOutputCout::writeColour(int colour, const char* escape) const {
    if (colours_) {
        (*this)(colour == WHITE || colour == DEFAULT_COLOUR ? TERMINAL_COLOUR : escape);
    }
}

bool LoggerOutputCout::coloursWanted(int descriptor) {
    const char* noColour = std::getenv("NO_COLOR");
    return isatty(descriptor) == 1 && (noColour == nullptr || noColour[0] == '\0');
}

}  // namespace orvo
