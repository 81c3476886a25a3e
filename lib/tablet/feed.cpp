#include "lib/tablet/feed.h"

#include "lib/tablet/EventQueue.h"

using tablet::EventQueue;

extern "C" {

void tablet_feed_push_touch(int type, int touch_id, int x, int y) {
    EventQueue::instance().push(tablet::makeScreenEvent(type, touch_id, x, y));
}

void tablet_feed_push_window_state(int state) {
    EventQueue::instance().push(tablet::makeWindowStateEvent(state));
}

void tablet_feed_push_navigator(unsigned int code) {
    EventQueue::instance().push(tablet::makeNavigatorEvent(code));
}

void tablet_feed_push_event(int domain, unsigned int code) {
    EventQueue::instance().push(tablet::makeEvent(domain, code));
}

void tablet_feed_fail_next_get(void) { EventQueue::instance().failNextGet(); }

void tablet_feed_reset(void) { EventQueue::instance().reset(); }

}  // extern "C"
