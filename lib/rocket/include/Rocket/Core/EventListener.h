#pragma once

namespace Rocket {
namespace Core {

class Element;
class Event;

class EventListener {
public:
    virtual ~EventListener() = default;
    virtual void ProcessEvent(Event& event) = 0;
    virtual void OnAttach(Element* /*element*/) {}
    // Called once the listener is off the element; a listener may delete itself here.
    virtual void OnDetach(Element* /*element*/) {}
};

}  // namespace Core
}  // namespace Rocket
