#include "lib/tablet/navigator.h"

#include "lib/tablet/CallTrace.h"
#include "lib/tablet/EventQueue.h"

extern "C" {

int navigator_request_events(int flags) {
    tablet::EventQueue::instance().requestNavigatorEvents();
    return tablet::CallTrace("navigator_request_events").number(flags).result(BPS_SUCCESS);
}

int navigator_get_domain(void) { return tablet::kNavigatorDomain; }

int navigator_event_get_window_state(bps_event_t* event) {
    if (!event || event->domain != tablet::kNavigatorDomain ||
        event->code != NAVIGATOR_WINDOW_STATE)
        return -1;
    return event->windowState;
}

}  // extern "C"
