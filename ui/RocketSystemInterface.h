#pragma once

#include <Rocket/Core/SystemInterface.h>

namespace orvo {

// What the UI library asks of the system: time, translations and logging.
class RocketSystemInterface : public Rocket::Core::SystemInterface {
public:
    // The engine clock, in seconds.
    float GetElapsedTime() override;
    // A text that is a key of the string table becomes that key's localized text; the result is
    // 1 when the text changed.
    int TranslateString(Rocket::Core::String& translated,
                        const Rocket::Core::String& input) override;
    // Errors and warnings get a coloured prefix; information is dropped; assertions log nothing
    // and return false.
    bool LogMessage(Rocket::Core::Log::Type type, const Rocket::Core::String& message) override;
};

}  // namespace orvo
