// One line of the scripted feed: "<drain> <kind> <fields...>" (see feed.h).
#pragma once

#include <string>
#include <string_view>

#include "lib/tablet/Event.h"

namespace tablet {

class ScriptLine {
public:
    enum class Result { Empty, Event, Bad };

    // Empty for blank and comment lines; Event fills drain and event; Bad fills error.
    static Result parse(std::string_view line, unsigned long long& drain, bps_event_t& event,
                        std::string& error);
};

}  // namespace tablet
