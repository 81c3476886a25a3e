#pragma once

namespace orvo {

// One error line through ZqLog: its kind in red ("File Error: "), then what went wrong and
// the detail it concerns (a file name, a compiler's message) in the default colour.
void logErrorLine(const char* kind, const char* what, const char* detail);

}  // namespace orvo
