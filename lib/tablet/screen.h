// The tablet platform's screen service on Linux: one X11 window per screen window, and the
// touch events of that window (mouse button 1 stands in for touch id 0).
#pragma once

#include "lib/tablet/bps.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct screen_context* screen_context_t;
// The X Window id itself: on Mesa's X11 platform it is what eglCreateWindowSurface takes as
// its native window, so the handle is passed on unchanged.
typedef unsigned long screen_window_t;
typedef struct screen_event* screen_event_t;

#define SCREEN_APPLICATION_CONTEXT 0

// Window and event properties.
#define SCREEN_PROPERTY_BUFFER_SIZE 5
#define SCREEN_PROPERTY_FORMAT 14
#define SCREEN_PROPERTY_ROTATION 38
#define SCREEN_PROPERTY_POSITION 41
#define SCREEN_PROPERTY_SOURCE_SIZE 42
#define SCREEN_PROPERTY_TYPE 47
#define SCREEN_PROPERTY_USAGE 48
#define SCREEN_PROPERTY_TOUCH_ID 73

#define SCREEN_FORMAT_RGBX8888 8
#define SCREEN_USAGE_OPENGL_ES2 0x20
#define SCREEN_USAGE_ROTATION 0x200

// Screen event types (SCREEN_PROPERTY_TYPE).
#define SCREEN_EVENT_MTOUCH_TOUCH 100
#define SCREEN_EVENT_MTOUCH_MOVE 101
#define SCREEN_EVENT_MTOUCH_RELEASE 102

// Every call returns 0 on success, -1 with errno set on failure. When $TRELLIN_TABLET_TRACE
// names a file, every call that makes, sets up or destroys a context or a window appends a line
// with its arguments and result to it (see CallTrace.h); a created handle is shown as the first
// argument, and property values in braces. The per-event calls below are not traced.

// Opens a connection to the X display named by $DISPLAY.
int screen_create_context(screen_context_t* context, int flags);
// Not a call of the platform's: why the last screen_create_context could not open the display,
// as one line of text; "" when it could.
const char* tablet_screen_open_failure(void);
int screen_destroy_context(screen_context_t context);

// The window starts unmapped at the display's size; SCREEN_PROPERTY_BUFFER_SIZE sizes it and
// screen_create_window_buffers shows it with that fixed size. Closing it from the desktop ends
// the process with exit status 0.
int screen_create_window(screen_window_t* window, screen_context_t context);
int screen_destroy_window(screen_window_t window);
int screen_create_window_group(screen_window_t window, const char* name);
int screen_set_window_property_iv(screen_window_t window, int property, const int* value);
int screen_create_window_buffers(screen_window_t window, int count);

// Touch events of the context's windows reach the queue only once they were requested. Like
// every touch, they are handed out at most one press or release per drain (see feed.h): a press
// and its release that come from X together (a quick click, a touchpad's tap) go out in two
// successive drains, with whatever followed them after.
int screen_request_events(screen_context_t context);

int screen_get_domain(void);
// The screen event inside a screen-domain event; NULL for any other event.
screen_event_t screen_event_get_event(bps_event_t* event);
// SCREEN_PROPERTY_TYPE of any screen event; SCREEN_PROPERTY_TOUCH_ID and
// SCREEN_PROPERTY_POSITION (x then y, window pixels from the top left) of touch events only.
int screen_get_event_property_iv(screen_event_t event, int property, int* value);

#ifdef __cplusplus
}
#endif
