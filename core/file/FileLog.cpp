#include "core/file/FileLog.h"

#include "core/log/Logger.h"

namespace orvo {

void logFileError(const char* what, const ZqString& name) {
    ZqLog.lock();
    ZqLog.setLevel(8);
    ZqLog.processSpecialMode(Logger::RED);
    ZqLog << "File Error: ";
    ZqLog.processSpecialMode(Logger::WHITE);
    ZqLog << what << name.c_str() << Logger::END_OF_LINE;
    ZqLog.unlock();
}

}  // namespace orvo
