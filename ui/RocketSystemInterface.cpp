#include "ui/RocketSystemInterface.h"

#include "core/hash/HashString.h"
#include "core/log/ErrorLine.h"
#include "core/strings/ZqStringTable.h"
#include "core/text/StringFunctions.h"
#include "core/text/ZqText.h"
#include "core/time/Clock.h"
#include "ui/RocketStrings.h"

namespace orvo {

float RocketSystemInterface::GetElapsedTime() {
    return static_cast<float>(Clock::getCurrentTime());
}

int RocketSystemInterface::TranslateString(Rocket::Core::String& translated,
                                           const Rocket::Core::String& input) {
    const ZqStringTable* table = ZqStringTable::instance_;
    ZqText text;
    if (table == nullptr || !table->getString(HashString(input.c_str()), text)) {
        translated = input;
        return 0;
    }
    translated = toRocketString(textToString(text));
    return translated != input ? 1 : 0;
}

bool RocketSystemInterface::LogMessage(Rocket::Core::Log::Type type,
                                       const Rocket::Core::String& message) {
    if (type == Rocket::Core::Log::LT_ASSERT) {
        return false;
    }
    if (type == Rocket::Core::Log::LT_INFO) {
        return true;
    }
    if (type == Rocket::Core::Log::LT_ERROR) {
        logLine(LineKind::ERROR, "Rocket Error: ", {message.c_str()});
    } else if (type == Rocket::Core::Log::LT_WARNING) {
        logLine(LineKind::WARNING, "Rocket Warning: ", {message.c_str()});
    } else {
        logLine(LineKind::PLAIN, "Rocket Message: ", {message.c_str()});
    }
    return true;
}

}  // namespace orvo
