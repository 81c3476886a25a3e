// The test feed: pushes events into the event queue exactly as the window would deliver them,
// for tests and headless runs. Pushed events are delivered whether or not events were
// requested.
//
// The scripted feed: when $TRELLIN_TABLET_SCRIPT names a file, its events join the queue at the
// start of the drain their line names (drains are counted from 0; each bps_get_event call that
// returns no event ends one). One event per line, fields separated by blanks:
//   <drain> touch <id> <x> <y>       (also move, release)
//   <drain> window fullscreen        (also thumbnail, invisible)
//   <drain> navigator <code>
//   <drain> event <domain> <code>
// Blank lines and lines starting with '#' are skipped; bad lines are reported on stderr and
// skipped.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// A screen event of the given SCREEN_PROPERTY_TYPE. Touch, move and release events carry the
// touch id and position; any other type carries only its type.
void tablet_feed_push_touch(int type, int touch_id, int x, int y);
// A NAVIGATOR_WINDOW_STATE event with any state value.
void tablet_feed_push_window_state(int state);
// A navigator event with another code (for example NAVIGATOR_EXIT).
void tablet_feed_push_navigator(unsigned int code);
// An event of any domain and code, with no payload.
void tablet_feed_push_event(int domain, unsigned int code);
// The next bps_get_event returns BPS_FAILURE and no event.
void tablet_feed_fail_next_get(void);
// Empties the queue, forgets a pending failure, restarts the drain count at 0 and rereads the
// scripted feed at the next bps_get_event.
void tablet_feed_reset(void);

#ifdef __cplusplus
}
#endif
