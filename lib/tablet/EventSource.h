// A producer that the event queue polls before it hands out an event (the X11 windows).
#pragma once

namespace tablet {

class EventQueue;

class EventSource {
public:
    virtual ~EventSource() = default;
    // Pushes whatever is ready, without blocking.
    virtual void poll(EventQueue& queue) = 0;
};

}  // namespace tablet
