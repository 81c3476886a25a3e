#pragma once

#include "core/text/ZqString.h"

namespace Rocket {
namespace Core {
class Element;
}
}  // namespace Rocket

// How UI scripts reach game code: the Tcl command "call" hands its words to the handler
// registered for the event's document and then to every global handler.
class EventHandler {
public:
    virtual ~EventHandler() {}

    // element is the element of the event (null for a script that runs outside any event); for
    // "call" the type is "call" and the value the command's words joined by single blanks.
    virtual void processEvent(Rocket::Core::Element* element, const orvo::ZqString& eventType,
                              const orvo::ZqString& value) = 0;
};
