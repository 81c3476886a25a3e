#include "core/log/LoggerOutputCout.h"

#include <cstdio>

namespace orvo {

// stdio rather than iostreams: the global logger may write before the streams are initialised.
void LoggerOutputCout::operator()(const char* text) const {
    if (text == nullptr) {
        return;
    }
    std::fputs(text, stdout);
    std::fflush(stdout);
}

}  // namespace orvo
