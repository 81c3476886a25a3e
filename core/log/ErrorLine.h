#pragma once

#include <initializer_list>

namespace orvo {

// What a line is, by the colour of its prefix: errors red, warnings yellow, plain lines none.
enum class LineKind { PLAIN, ERROR, WARNING };

// One whole line through ZqLog at level 8, under its lock: the prefix ("File Error: ", may be
// null) in its kind's colour, then the texts in the default colour, then the end of the line.
void logLine(LineKind kind, const char* prefix, std::initializer_list<const char*> texts);
// A text that a later line goes on from: no colour, no end of line.
void logText(const char* text);

// An error line: the prefix in red, then what went wrong and the detail it concerns (a file
// name, a compiler's message).
inline void logErrorLine(const char* prefix, const char* what, const char* detail) {
    logLine(LineKind::ERROR, prefix, {what, detail});
}
// A warning line: the prefix in yellow, then what and its detail.
inline void logWarningLine(const char* prefix, const char* what, const char* detail) {
    logLine(LineKind::WARNING, prefix, {what, detail});
}

}  // namespace orvo
