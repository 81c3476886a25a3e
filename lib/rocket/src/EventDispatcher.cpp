#include "EventDispatcher.h"

#include <Rocket/Core/Element.h>
#include <Rocket/Core/Event.h>
#include <Rocket/Core/EventListener.h>

#include <utility>
#include <vector>

namespace Rocket {
namespace Core {

namespace {

int dispatch_depth = 0;

std::vector<std::pair<EventListener*, Element*>>& PendingDetaches() {
    static auto* pending = new std::vector<std::pair<EventListener*, Element*>>();
    return *pending;
}

}  // namespace

void EventDispatcher::DetachListener(EventListener* listener, Element* element) {
    if (dispatch_depth > 0)
        PendingDetaches().emplace_back(listener, element);
    else
        listener->OnDetach(element);
}

bool EventDispatcher::Dispatch(Element* target, const String& type, const Dictionary& parameters,
                               bool interruptible) {
    if (target == nullptr) return false;
    ElementList path;
    for (Element* element = target; element != nullptr; element = element->GetParentNode()) {
        element->AddReference();
        path.push_back(element);
    }
    ++dispatch_depth;

    Event event(target, type, parameters, interruptible);
    event.SetPhase(Event::PHASE_CAPTURE);
    for (size_t i = path.size(); i-- > 1 && event.IsPropagating();)
        path[i]->CallListeners(event, true, false);
    if (event.IsPropagating()) {
        event.SetPhase(Event::PHASE_TARGET);
        target->CallListeners(event, true, true);
    }
    event.SetPhase(Event::PHASE_BUBBLE);
    for (size_t i = 1; i < path.size() && event.IsPropagating(); ++i)
        path[i]->CallListeners(event, false, true);

    if (--dispatch_depth == 0) {
        while (!PendingDetaches().empty()) {
            std::vector<std::pair<EventListener*, Element*>> pending;
            pending.swap(PendingDetaches());
            for (auto& entry : pending) entry.first->OnDetach(entry.second);
        }
    }
    for (Element* element : path) element->RemoveReference();
    return event.IsPropagating();
}

}  // namespace Core
}  // namespace Rocket
