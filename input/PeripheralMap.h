#pragma once

#include <cstddef>

#include "core/containers/Array.h"
#include "core/hash/HashString.h"
#include "input/Controller.h"

namespace orvo {

// One named action: the sum of its device controls, with a flag telling whether the last input
// update changed it.
class PeripheralMap {
public:
    struct PotentialInputOutput {
        Controller::Type type;
        HashString control;
    };

    PeripheralMap(HashString name, Controller::Type type, HashString const& control);
    // A map with no sources: it always recomputes to 0.0.
    explicit PeripheralMap(HashString name);

    // Duplicates are kept: a control added twice counts twice. False when it could not be stored.
    bool addControllerTypeAndMethod(Controller::Type type, HashString const& control);

    HashString getName() const { return name_; }
    float getValue() const { return value_; }
    bool hasChanged() const { return changed_; }
    const Array<PotentialInputOutput>& getSources() const { return sources_; }

    // Stores a different value and raises the changed flag; an equal one changes nothing.
    void setValue(float value);

    // The value for one player index from the controllers held per type: the flag is cleared
    // first, so it lives exactly one update. A source whose type has no array, or too few
    // controllers for the player, adds nothing.
    void recompute(const Array<Array<Controller>>& controllers, std::size_t playerIndex);

private:
    HashString name_;
    float value_;
    bool changed_;
    Array<PotentialInputOutput> sources_;
};

// What every failed action lookup yields: always 0.0 and unchanged.
extern const PeripheralMap DUMMY_PERIPHERAL_MAP;

}  // namespace orvo
