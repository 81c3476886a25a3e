#include "lib/tablet/EventQueue.h"

#include <algorithm>

#include "lib/tablet/CloseRequest.h"
#include "lib/tablet/EventSource.h"

namespace tablet {
namespace {

bool isTouch(const bps_event_t& event) {
    return event.domain == kScreenDomain && event.screen.isTouch;
}

bool isPressOrRelease(const bps_event_t& touch) {
    return touch.screen.type != SCREEN_EVENT_MTOUCH_MOVE;
}

}  // namespace

EventQueue& EventQueue::instance() {
    static EventQueue* queue = new EventQueue;
    return *queue;
}

void EventQueue::push(const bps_event_t& event) {
    if (isTouch(event) && (holdsTouchOf(event.screen.touchId) || !mayGoNow(event))) {
        heldTouches_.push_back(event);
        return;
    }
    pass(event);
}

bool EventQueue::holdsTouchOf(int touchId) const {
    return std::any_of(
        heldTouches_.begin(), heldTouches_.end(),
        [touchId](const bps_event_t& held) { return held.screen.touchId == touchId; });
}

bool EventQueue::mayGoNow(const bps_event_t& touch) const {
    if (!isPressOrRelease(touch)) return true;
    const auto taken = changeDrains_.find(touch.screen.touchId);
    return taken == changeDrains_.end() || taken->second != drain_;
}

void EventQueue::pass(const bps_event_t& event) {
    if (isTouch(event) && isPressOrRelease(event)) changeDrains_[event.screen.touchId] = drain_;
    events_.push_back(event);
}

void EventQueue::releaseHeldTouches() {
    // Oldest first; once a touch of an id stays, the later ones of that id stay behind it.
    std::vector<int> staying;
    for (auto held = heldTouches_.begin(); held != heldTouches_.end();) {
        const int id = held->screen.touchId;
        if (std::find(staying.begin(), staying.end(), id) == staying.end() && mayGoNow(*held)) {
            pass(*held);
            held = heldTouches_.erase(held);
        } else {
            staying.push_back(id);
            ++held;
        }
    }
}

int EventQueue::get(bps_event_t** event) {
    if (!event) return BPS_FAILURE;
    *event = nullptr;
    closeIfRequested();
    if (failNext_) {
        failNext_ = false;
        ++drain_;
        return BPS_FAILURE;
    }
    releaseHeldTouches();
    script_.release(drain_, *this);
    for (EventSource* source : sources_) source->poll(*this);
    if (events_.empty()) {
        ++drain_;
        return BPS_SUCCESS;
    }
    current_ = events_.front();
    events_.pop_front();
    *event = &current_;
    return BPS_SUCCESS;
}

void EventQueue::reset() {
    events_.clear();
    heldTouches_.clear();
    changeDrains_.clear();
    failNext_ = false;
    drain_ = 0;
    script_.rewind();
}

void EventQueue::addSource(EventSource* source) { sources_.push_back(source); }

void EventQueue::removeSource(EventSource* source) {
    sources_.erase(std::remove(sources_.begin(), sources_.end(), source), sources_.end());
}

}  // namespace tablet
