// What one bps event said, read back through the platform calls the engine uses.
#pragma once

#include <ostream>
#include <tuple>
#include <vector>

#include "lib/tablet/bps.h"
#include "lib/tablet/navigator.h"
#include "lib/tablet/screen.h"

struct SeenEvent {
    int domain = 0;
    unsigned int code = 0;
    int windowState = -1;  // navigator_event_get_window_state
    int screenType = -1;   // SCREEN_PROPERTY_TYPE, -1 when unreadable
    int touchId = -1;      // SCREEN_PROPERTY_TOUCH_ID, -1 when unreadable
    int x = -1, y = -1;    // SCREEN_PROPERTY_POSITION, -1 when unreadable

    static SeenEvent of(bps_event_t* event) {
        SeenEvent seen;
        seen.domain = bps_event_get_domain(event);
        seen.code = bps_event_get_code(event);
        seen.windowState = navigator_event_get_window_state(event);
        if (screen_event_t screen = screen_event_get_event(event)) {
            int value[2] = {-1, -1};
            if (screen_get_event_property_iv(screen, SCREEN_PROPERTY_TYPE, value) == 0)
                seen.screenType = value[0];
            if (screen_get_event_property_iv(screen, SCREEN_PROPERTY_TOUCH_ID, value) == 0)
                seen.touchId = value[0];
            if (screen_get_event_property_iv(screen, SCREEN_PROPERTY_POSITION, value) == 0) {
                seen.x = value[0];
                seen.y = value[1];
            }
        }
        return seen;
    }

    static SeenEvent touch(int type, int id, int x, int y) {
        SeenEvent seen;
        seen.domain = screen_get_domain();
        seen.code = 0;
        seen.screenType = type;
        seen.touchId = id;
        seen.x = x;
        seen.y = y;
        return seen;
    }

    static SeenEvent windowStateEvent(int state) {
        SeenEvent seen;
        seen.domain = navigator_get_domain();
        seen.code = NAVIGATOR_WINDOW_STATE;
        seen.windowState = state;
        return seen;
    }

    static SeenEvent plain(int domain, unsigned int code) {
        SeenEvent seen;
        seen.domain = domain;
        seen.code = code;
        return seen;
    }

    bool operator==(const SeenEvent& o) const {
        return std::tie(domain, code, windowState, screenType, touchId, x, y) ==
               std::tie(o.domain, o.code, o.windowState, o.screenType, o.touchId, o.x, o.y);
    }
};

inline std::ostream& operator<<(std::ostream& out, const SeenEvent& e) {
    return out << "{domain " << e.domain << ", code " << e.code << ", state " << e.windowState
               << ", type " << e.screenType << ", id " << e.touchId << ", at " << e.x << "," << e.y
               << "}";
}

// One drain: every event up to the first call that returns none.
inline std::vector<SeenEvent> drainEvents() {
    std::vector<SeenEvent> seen;
    bps_event_t* event = nullptr;
    while (bps_get_event(&event, 0) == BPS_SUCCESS && event) seen.push_back(SeenEvent::of(event));
    return seen;
}
