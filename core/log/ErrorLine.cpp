#include "core/log/ErrorLine.h"

#include "core/log/Logger.h"

namespace orvo {

void logErrorLine(const char* kind, const char* what, const char* detail) {
    ZqLog.lock();
    ZqLog.setLevel(8);
    ZqLog.processSpecialMode(Logger::RED);
    ZqLog << kind;
    ZqLog.processSpecialMode(Logger::WHITE);
    ZqLog << what << detail << Logger::END_OF_LINE;
    ZqLog.unlock();
}

}  // namespace orvo
