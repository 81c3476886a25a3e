// One line of the scripted feed: "<drain> <kind> <fields...>" (see feed.h).
#pragma once

#include <string>
#include <string_view>

#include "lib/tablet/Event.h"

namespace tablet {

// What one line asks for: an event to queue, or something to do with the window.
struct ScriptAction {
    enum class Kind { Event, Close, Screenshot };

    Kind kind = Kind::Event;
    bps_event_t event;  // Kind::Event
    std::string path;   // Kind::Screenshot
};

class ScriptLine {
public:
    enum class Result { Empty, Action, Bad };

    // Empty for blank and comment lines; Action fills drain and action; Bad fills error.
    static Result parse(std::string_view line, unsigned long long& drain, ScriptAction& action,
                        std::string& error);
};

}  // namespace tablet
