#pragma once

#include <Rocket/Core/Types.h>

namespace Rocket {
namespace Core {

class EventListener;
class EventListenerInstancer;

class Factory {
public:
    // The factory keeps a reference to the instancer (and drops the previous one's).
    static EventListenerInstancer* RegisterEventListenerInstancer(
        EventListenerInstancer* instancer);
    // Null when no instancer is registered or it makes nothing.
    static EventListener* InstanceEventListener(const String& value, Element* element);
    // Style sheets are cached by path; the next document load reads them again.
    static void ClearStyleSheetCache();
    static void Shutdown();
};

}  // namespace Core
}  // namespace Rocket
