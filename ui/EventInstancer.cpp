#include "ui/EventInstancer.h"

#include "core/memory/ZequinAllocation.h"
#include "ui/Event.h"
#include "ui/RocketStrings.h"

Rocket::Core::EventListener* EventInstancer::InstanceEventListener(
    const Rocket::Core::String& value) {
    return new (0, ZequinAllocation) Event(orvo::toZqString(value));
}

void EventInstancer::Release() { delete this; }
