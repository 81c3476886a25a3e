// The test feed: pushes events into the event queue exactly as the window would deliver them,
// for tests and headless runs. Pushed events are delivered whether or not events were
// requested.
//
// The scripted feed: when $TRELLIN_TABLET_SCRIPT names a file, its lines are carried out as the
// application drains the event queue, so a run can be driven, looked at and ended from a file.
//
// Drains. A drain is one pass of bps_get_event calls up to the first call that returns no event
// (or fails). Drains are counted from 0 from the first call of the process (tablet_feed_reset
// starts the count again). The lines of drain n are carried out, in file order, at the start of
// drain n (the first bps_get_event call of that drain), before the window's own events of that
// call are read; a line whose drain has passed is carried out at the next call.
//
// Touches. Whatever their source (the window, the test feed, the scripted feed), touch events
// reach the drains as the input service can see them, which is only by the value a drain leaves
// behind: a drain hands out at most one press or release of each touch id, and a touch event
// waits while an earlier one of its id waits. A press and its release pushed for one drain thus
// go out in two successive drains, and what followed them after, in order. Moves of a touch that
// waits for nothing, and all other events, go out in the drain they are pushed for.
//
// In the game the input service is the one caller and drains once per call of its update:
// drain 0 is the update of the input bindings while the game data load, on the first turn of
// the main loop; drain n (n from 1) is the input update of frame n, which comes before frame n
// is drawn. The first frame therefore takes drain 1, and a screenshot at drain n shows the frame
// that was swapped last before it, frame n - 1: the first frame is seen at drain 2.
//
// Lines. Fields are separated by blanks or tabs; blank lines and lines whose first field starts
// with '#' are skipped; a bad line is reported on stderr (file, line number, reason, the start
// of the line) and skipped. A line longer than 1024 characters is bad. After 10 bad lines the
// rest of the file is not read (one more line says so). A path that is not a regular file (a
// directory, a device) is refused with one line and feeds nothing. Numbers are decimal, with a
// '-' where a field may be negative.
//   <drain> touch <id> <x> <y>       a screen touch event of touch id <id> at window pixel <x>,
//   <drain> move <id> <x> <y>        <y> (from the top left); also move and release
//   <drain> release <id> <x> <y>
//   <drain> window fullscreen        a navigator window-state event; also thumbnail, invisible
//   <drain> navigator <code>         a navigator event of any other code (2 is the exit request)
//   <drain> event <domain> <code>    an event of any domain and code, with no payload
//   <drain> screenshot <path>        saves the window's current image, read back from the X
//                                    server, as an 8-bit RGB PNG file at <path> (relative to the
//                                    working directory; no blanks in it). The file is written
//                                    under a temporary name and renamed, so it appears whole.
//                                    No window, a window that is not wholly on screen, or a
//                                    path that cannot be written is reported on stderr and the
//                                    run goes on.
//   <drain> close                    closes the window as the user does from the desktop: the
//                                    desktop's close request is sent to the window and handled
//                                    by the same path, which ends the process with exit status
//                                    0 (so exit handlers run). Without a window the process
//                                    ends the same way. Nothing after it in the file is done.
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
