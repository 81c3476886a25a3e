#include "ui/Event.h"

#include <Rocket/Core/Event.h>

#include "ui/RocketStrings.h"
#include "ui/RocketSystem.h"

void Event::ProcessEvent(Rocket::Core::Event& event) {
    orvo::RocketSystem* system = orvo::RocketSystem::instance_;
    if (system != nullptr) {
        system->processEvent(event.GetTargetElement(), orvo::toZqString(event.GetType()), script_);
    }
}

void Event::OnDetach(Rocket::Core::Element*) { delete this; }
