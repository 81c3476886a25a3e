// The process's one event queue behind bps_get_event. Main thread only, like the platform's
// event loop it stands in for.
#pragma once

#include <deque>
#include <map>
#include <vector>

#include "lib/tablet/Event.h"
#include "lib/tablet/ScriptFeed.h"

namespace tablet {

class EventSource;

class EventQueue {
public:
    // Never destroyed: windows may still be torn down from exit handlers.
    static EventQueue& instance();

    // Every source pushes here. Touches wait for the drain that may take them: at most one
    // press or release of a touch id per drain, in order (see feed.h); other events go at once.
    void push(const bps_event_t& event);
    // bps_get_event: hands out the touches that may go now, polls the scripted feed and the
    // sources, then takes the oldest event.
    int get(bps_event_t** event);
    void failNextGet() { failNext_ = true; }
    void reset();

    void addSource(EventSource* source);
    void removeSource(EventSource* source);

    void requestNavigatorEvents() { navigatorRequested_ = true; }
    bool navigatorEventsRequested() const { return navigatorRequested_; }

private:
    EventQueue() = default;

    bool holdsTouchOf(int touchId) const;
    bool mayGoNow(const bps_event_t& touch) const;
    void pass(const bps_event_t& event);
    void releaseHeldTouches();

    std::deque<bps_event_t> events_;
    std::deque<bps_event_t> heldTouches_;
    // Per touch id: the drain that took its last press or release.
    std::map<int, unsigned long long> changeDrains_;
    bps_event_t current_;  // what the last get handed out
    bool failNext_ = false;
    bool navigatorRequested_ = false;
    unsigned long long drain_ = 0;
    ScriptFeed script_;
    std::vector<EventSource*> sources_;
};

}  // namespace tablet
