#include <Rocket/Core/Factory.h>

#include "StyleSheetFactory.h"

#include <Rocket/Core/EventListenerInstancer.h>

namespace Rocket {
namespace Core {

namespace {

EventListenerInstancer* event_listener_instancer = nullptr;

}

EventListenerInstancer* Factory::RegisterEventListenerInstancer(EventListenerInstancer* instancer) {
    if (instancer != nullptr) instancer->AddReference();
    EventListenerInstancer* previous = event_listener_instancer;
    event_listener_instancer = instancer;
    if (previous != nullptr) previous->RemoveReference();
    return instancer;
}

EventListener* Factory::InstanceEventListener(const String& value, Element*) {
    if (event_listener_instancer == nullptr) return nullptr;
    return event_listener_instancer->InstanceEventListener(value);
}

void Factory::ClearStyleSheetCache() { StyleSheetFactory::ClearCache(); }

void Factory::Shutdown() {
    RegisterEventListenerInstancer(nullptr);
    StyleSheetFactory::ClearCache();
}

}  // namespace Core
}  // namespace Rocket
