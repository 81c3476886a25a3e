#include <Rocket/Core/Event.h>

namespace Rocket {
namespace Core {

Event::Event(Element* target, const String& type_, const Dictionary& parameters_,
             bool interruptible_)
    : target_element(target), type(type_), parameters(parameters_), interruptible(interruptible_) {}

void Event::StopPropagation() {
    if (interruptible) propagating = false;
}

}  // namespace Core
}  // namespace Rocket
