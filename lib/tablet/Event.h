// The one event record behind bps_event_t and screen_event_t. Every source (window, test feed,
// scripted feed) builds its events with these functions, so they are alike in form.
#pragma once

#include "lib/tablet/bps.h"
#include "lib/tablet/screen.h"

struct screen_event {
    int type = 0;
    bool isTouch = false;  // touch id and position are readable only then
    int touchId = 0;
    int position[2] = {0, 0};
};

struct bps_event_t {
    int domain = 0;
    unsigned int code = 0;
    int windowState = -1;  // NAVIGATOR_WINDOW_STATE events only
    screen_event screen;   // screen-domain events only
};

namespace tablet {

constexpr int kNavigatorDomain = 1;
constexpr int kScreenDomain = 2;
// bps_event_get_code of every screen-domain event.
constexpr unsigned int kScreenEventCode = 0;

bps_event_t makeScreenEvent(int type, int touchId, int x, int y);
bps_event_t makeWindowStateEvent(int state);
bps_event_t makeNavigatorEvent(unsigned int code);
bps_event_t makeEvent(int domain, unsigned int code);

}  // namespace tablet
