// The tablet platform's event loop on Linux: one queue fed by the window, the test feed and
// the scripted feed, drained by the caller without waiting.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

#define BPS_SUCCESS 0
#define BPS_FAILURE (-1)

typedef struct bps_event_t bps_event_t;

// Always succeeds. The queue needs no set-up; from now on SIGINT, SIGTERM and SIGHUP (Ctrl-C,
// a logout, `kill`) ask the application to close as closing its window does (CloseRequest.h),
// so that its exit handlers run.
int bps_initialize(void);

// Takes the next event into *event (NULL when the queue is empty) and returns BPS_SUCCESS.
// This implementation never waits, whatever timeout_ms says. The event stays valid until the
// next call. A call that returns no event (or fails) ends one drain of the loop.
int bps_get_event(bps_event_t** event, int timeout_ms);

int bps_event_get_domain(bps_event_t* event);
unsigned int bps_event_get_code(bps_event_t* event);

#ifdef __cplusplus
}
#endif
