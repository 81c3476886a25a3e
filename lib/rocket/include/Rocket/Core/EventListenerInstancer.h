#pragma once

#include <Rocket/Core/ReferenceCountable.h>
#include <Rocket/Core/Types.h>

namespace Rocket {
namespace Core {

class EventListener;

// Makes the listeners of "on..." attributes from the attribute's text.
class EventListenerInstancer : public ReferenceCountable {
public:
    virtual EventListener* InstanceEventListener(const String& value) = 0;
    // Called when the last reference goes; usually deletes the instancer.
    virtual void Release() = 0;

protected:
    void OnReferenceDeactivate() override { Release(); }
};

}  // namespace Core
}  // namespace Rocket
