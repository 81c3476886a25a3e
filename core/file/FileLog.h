#pragma once

#include "core/text/ZqString.h"

namespace orvo {

// One error line of file access: what went wrong, then the file it concerns.
void logFileError(const char* what, const ZqString& name);

}  // namespace orvo
