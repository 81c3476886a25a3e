// The process's one event queue behind bps_get_event. Main thread only, like the platform's
// event loop it stands in for.
#pragma once

#include <deque>
#include <vector>

#include "lib/tablet/Event.h"
#include "lib/tablet/ScriptFeed.h"

namespace tablet {

class EventSource;

class EventQueue {
public:
    // Never destroyed: windows may still be torn down from exit handlers.
    static EventQueue& instance();

    void push(const bps_event_t& event);
    // bps_get_event: polls the scripted feed and the sources, then takes the oldest event.
    int get(bps_event_t** event);
    void failNextGet() { failNext_ = true; }
    // The number of the drain under way (see feed.h).
    unsigned long long drain() const { return drain_; }
    void reset();

    void addSource(EventSource* source);
    void removeSource(EventSource* source);

    void requestNavigatorEvents() { navigatorRequested_ = true; }
    bool navigatorEventsRequested() const { return navigatorRequested_; }

private:
    EventQueue() = default;

    std::deque<bps_event_t> events_;
    bps_event_t current_;  // what the last get handed out
    bool failNext_ = false;
    bool navigatorRequested_ = false;
    unsigned long long drain_ = 0;
    ScriptFeed script_;
    std::vector<EventSource*> sources_;
};

}  // namespace tablet
