#pragma once

#include <Rocket/Core/Dictionary.h>

namespace Rocket {
namespace Core {

class Element;

class Event {
public:
    enum EventPhase { PHASE_UNKNOWN, PHASE_CAPTURE, PHASE_TARGET, PHASE_BUBBLE };

    Event(Element* target, const String& type, const Dictionary& parameters, bool interruptible);

    EventPhase GetPhase() const { return phase; }
    void SetPhase(EventPhase phase_) { phase = phase_; }
    Element* GetCurrentElement() const { return current_element; }
    void SetCurrentElement(Element* element) { current_element = element; }
    Element* GetTargetElement() const { return target_element; }
    const String& GetType() const { return type; }
    bool operator==(const String& type_) const { return type == type_; }

    // Ignored for events dispatched as not interruptible.
    void StopPropagation();
    bool IsPropagating() const { return propagating; }

    template <typename T>
    T GetParameter(const String& key, const T& default_value) const {
        return parameters.Get(key, default_value);
    }
    const Dictionary* GetParameters() const { return &parameters; }

private:
    Element* target_element;
    Element* current_element = nullptr;
    String type;
    Dictionary parameters;
    bool interruptible;
    bool propagating = true;
    EventPhase phase = PHASE_UNKNOWN;
};

}  // namespace Core
}  // namespace Rocket
