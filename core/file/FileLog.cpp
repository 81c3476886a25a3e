#include "core/file/FileLog.h"

#include "core/log/ErrorLine.h"

namespace orvo {

void logFileError(const char* what, const ZqString& name) {
    logErrorLine("File Error: ", what, name.c_str());
}

}  // namespace orvo
