#include "core/log/ErrorLine.h"

#include "core/log/Logger.h"

namespace orvo {

namespace {

constexpr Logger::LogLevel LINE_LEVEL = 8;

}  // namespace

void logLine(LineKind kind, const char* prefix, std::initializer_list<const char*> texts) {
    ZqLog.lock();
    ZqLog.setLevel(LINE_LEVEL);
    if (kind != LineKind::PLAIN) {
        ZqLog.processSpecialMode(kind == LineKind::ERROR ? Logger::RED : Logger::YELLOW);
    }
    // A colour holds for one text: the texts after the prefix are in the default colour.
    ZqLog.log(prefix);
    for (const char* text : texts) {
        ZqLog.log(text);
    }
    ZqLog.processSpecialMode(Logger::END_OF_LINE);
    ZqLog.unlock();
}

void logText(const char* text) {
    ZqLog.lock();
    ZqLog.setLevel(LINE_LEVEL);
    ZqLog.log(text);
    ZqLog.unlock();
}

}  // namespace orvo
