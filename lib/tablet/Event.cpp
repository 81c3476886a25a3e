#include "lib/tablet/Event.h"

#include "lib/tablet/navigator.h"

namespace tablet {

bps_event_t makeScreenEvent(int type, int touchId, int x, int y) {
    bps_event_t event = makeEvent(kScreenDomain, kScreenEventCode);
    event.screen.type = type;
    event.screen.isTouch = type == SCREEN_EVENT_MTOUCH_TOUCH || type == SCREEN_EVENT_MTOUCH_MOVE ||
                           type == SCREEN_EVENT_MTOUCH_RELEASE;
    if (event.screen.isTouch) {
        event.screen.touchId = touchId;
        event.screen.position[0] = x;
        event.screen.position[1] = y;
    }
    return event;
}

bps_event_t makeWindowStateEvent(int state) {
    bps_event_t event = makeNavigatorEvent(NAVIGATOR_WINDOW_STATE);
    event.windowState = state;
    return event;
}

bps_event_t makeNavigatorEvent(unsigned int code) { return makeEvent(kNavigatorDomain, code); }

bps_event_t makeEvent(int domain, unsigned int code) {
    bps_event_t event;
    event.domain = domain;
    event.code = code;
    return event;
}

}  // namespace tablet
