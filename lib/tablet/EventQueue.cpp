#include "lib/tablet/EventQueue.h"

#include <algorithm>

#include "lib/tablet/CloseRequest.h"
#include "lib/tablet/EventSource.h"

namespace tablet {

EventQueue& EventQueue::instance() {
    static EventQueue* queue = new EventQueue;
    return *queue;
}

void EventQueue::push(const bps_event_t& event) { events_.push_back(event); }

int EventQueue::get(bps_event_t** event) {
    if (!event) return BPS_FAILURE;
    *event = nullptr;
    closeIfRequested();
    if (failNext_) {
        failNext_ = false;
        ++drain_;
        return BPS_FAILURE;
    }
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
    failNext_ = false;
    drain_ = 0;
    script_.rewind();
}

void EventQueue::addSource(EventSource* source) { sources_.push_back(source); }

void EventQueue::removeSource(EventSource* source) {
    sources_.erase(std::remove(sources_.begin(), sources_.end(), source), sources_.end());
}

}  // namespace tablet
