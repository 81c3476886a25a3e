#include "input/ActionGroup.h"

namespace orvo {

const ActionGroup DUMMY_ACTION_GROUP(HashString("DUMMY_ACTION_GROUP"));

ActionGroup::ActionGroup(HashString const& name) : name_(name) {}

bool ActionGroup::addInputAction(PeripheralMap const& map) { return inputs_.pushBack(map); }

bool ActionGroup::addOutputAction(PeripheralMap const& map) { return outputs_.pushBack(map); }

std::ptrdiff_t ActionGroup::indexOf(Array<PeripheralMap> const& maps, HashString const& name) {
    for (std::size_t i = 0; i < maps.size(); ++i) {
        if (maps[i].getName() == name) {
            return static_cast<std::ptrdiff_t>(i);
        }
    }
    return -1;
}

PeripheralMap const& ActionGroup::findAction(Array<PeripheralMap> const& maps,
                                             HashString const& name) {
    const std::ptrdiff_t index = indexOf(maps, name);
    return index < 0 ? DUMMY_PERIPHERAL_MAP : maps[static_cast<std::size_t>(index)];
}

float ActionGroup::getInputValue(HashString const& name) const {
    return findAction(inputs_, name).getValue();
}

bool ActionGroup::isInputOn(HashString const& name) const { return getInputValue(name) != 0.0f; }

bool ActionGroup::hasInputChanged(HashString const& name) const {
    return findAction(inputs_, name).hasChanged();
}

bool ActionGroup::hasInputChangedToOn(HashString const& name) const {
    const PeripheralMap& map = findAction(inputs_, name);
    return map.hasChanged() && map.getValue() != 0.0f;
}

bool ActionGroup::hasInputChangedToOff(HashString const& name) const {
    const PeripheralMap& map = findAction(inputs_, name);
    return map.hasChanged() && map.getValue() == 0.0f;
}

// Writes go by index, so an unknown name reaches no map at all (never the shared dummy).
void ActionGroup::setValue(Array<PeripheralMap>& maps, HashString const& name, float value) {
    const std::ptrdiff_t index = indexOf(maps, name);
    if (index >= 0) {
        maps[static_cast<std::size_t>(index)].setValue(value);
    }
}

void ActionGroup::setInputValue(HashString const& name, float value) {
    setValue(inputs_, name, value);
}

void ActionGroup::setOutputValue(HashString const& name, float value) {
    setValue(outputs_, name, value);
}

void ActionGroup::recomputeInputs(const Array<Array<Controller>>& controllers,
                                  std::size_t playerIndex) {
    for (PeripheralMap& map : inputs_) {
        map.recompute(controllers, playerIndex);
    }
}

}  // namespace orvo
