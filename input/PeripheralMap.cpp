#include "input/PeripheralMap.h"

namespace orvo {

const PeripheralMap DUMMY_PERIPHERAL_MAP(HashString("DUMMY_PERIPHERAL_MAP"));

PeripheralMap::PeripheralMap(HashString name, Controller::Type type, HashString const& control)
    : PeripheralMap(name) {
    addControllerTypeAndMethod(type, control);
}

PeripheralMap::PeripheralMap(HashString name) : name_(name), value_(0.0f), changed_(false) {}

bool PeripheralMap::addControllerTypeAndMethod(Controller::Type type, HashString const& control) {
    return sources_.pushBack(PotentialInputOutput{type, control});
}

void PeripheralMap::setValue(float value) {
    if (value != value_) {
        value_ = value;
        changed_ = true;
    }
}

void PeripheralMap::recompute(const Array<Array<Controller>>& controllers,
                              std::size_t playerIndex) {
    changed_ = false;
    float sum = 0.0f;
    for (const PotentialInputOutput& source : sources_) {
        // The type comes from the bindings: one outside the held arrays must not index them.
        if (source.type < 0 || static_cast<std::size_t>(source.type) >= controllers.size()) {
            continue;
        }
        const Array<Controller>& ofType = controllers[static_cast<std::size_t>(source.type)];
        if (ofType.size() > playerIndex) {
            sum += ofType[playerIndex].getControllerValue(source.control);
        }
    }
    setValue(sum);
}

}  // namespace orvo
