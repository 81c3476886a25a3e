#pragma once

#include <Rocket/Core/EventListenerInstancer.h>

// Makes the listener of every event attribute the UI library reads.
class EventInstancer : public Rocket::Core::EventListenerInstancer {
public:
    // Null when category 0 is exhausted: the attribute then has no listener.
    Rocket::Core::EventListener* InstanceEventListener(const Rocket::Core::String& value) override;
    void Release() override;
};
