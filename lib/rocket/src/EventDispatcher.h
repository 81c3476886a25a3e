#pragma once

#include <Rocket/Core/Dictionary.h>

namespace Rocket {
namespace Core {

class EventListener;

// Sends an event through the capture, target and bubble phases. While an event
// is under way the elements on its path are held, and listeners taken off
// elements get their OnDetach only once the outermost dispatch is over, so a
// listener may unload its own document or replace the RML it sits in.
class EventDispatcher {
public:
    // False when a listener stopped the event.
    static bool Dispatch(Element* target, const String& type, const Dictionary& parameters,
                         bool interruptible);
    static void DetachListener(EventListener* listener, Element* element);
};

}  // namespace Core
}  // namespace Rocket
