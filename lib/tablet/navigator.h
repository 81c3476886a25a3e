// The tablet platform's navigator: the window-state events of the application's window.
#pragma once

#include "lib/tablet/bps.h"

#ifdef __cplusplus
extern "C" {
#endif

// Navigator event codes (bps_event_get_code of a navigator event).
#define NAVIGATOR_EXIT 2
#define NAVIGATOR_WINDOW_STATE 3

typedef enum {
    NAVIGATOR_WINDOW_FULLSCREEN = 0,
    NAVIGATOR_WINDOW_THUMBNAIL = 1,
    NAVIGATOR_WINDOW_INVISIBLE = 2
} navigator_window_state_t;

// Window-state events from the window reach the queue only once they were requested. Traced
// like the screen calls.
int navigator_request_events(int flags);
int navigator_get_domain(void);

// The state of a NAVIGATOR_WINDOW_STATE event; -1 for any other event.
int navigator_event_get_window_state(bps_event_t* event);

#ifdef __cplusplus
}
#endif
