#pragma once

#include <cstddef>

#include "core/containers/Array.h"
#include "core/hash/HashString.h"
#include "input/Controller.h"
#include "input/PeripheralMap.h"

namespace orvo {

// A named set of actions. The input service recomputes the inputs from the controllers every
// frame; the outputs are written only by setOutputValue and never read back. Every read
// accessor looks at the inputs only, first match wins, and reads an unknown name as 0.0/false.
class ActionGroup {
public:
    explicit ActionGroup(HashString const& name);

    // Append a copy; duplicate names are kept (lookups find the first). False when it could not
    // be stored.
    bool addInputAction(PeripheralMap const& map);
    bool addOutputAction(PeripheralMap const& map);

    // The first map with the name, or DUMMY_PERIPHERAL_MAP.
    static PeripheralMap const& findAction(Array<PeripheralMap> const& maps,
                                           HashString const& name);

    HashString getName() const { return name_; }
    // The maps in the order added, to read what an action is bound to.
    const Array<PeripheralMap>& getInputs() const { return inputs_; }
    const Array<PeripheralMap>& getOutputs() const { return outputs_; }

    float getInputValue(HashString const& name) const;
    bool isInputOn(HashString const& name) const;
    bool hasInputChanged(HashString const& name) const;
    // The press edge of this update.
    bool hasInputChangedToOn(HashString const& name) const;
    // The release edge of this update.
    bool hasInputChangedToOff(HashString const& name) const;

    // An equal value leaves the changed flag as it is; an unknown name changes nothing.
    void setInputValue(HashString const& name, float value);
    void setOutputValue(HashString const& name, float value);

    // Recomputes every input map for one player index (see PeripheralMap::recompute).
    void recomputeInputs(const Array<Array<Controller>>& controllers, std::size_t playerIndex);

private:
    // Index of the first map with the name, or -1.
    static std::ptrdiff_t indexOf(Array<PeripheralMap> const& maps, HashString const& name);
    static void setValue(Array<PeripheralMap>& maps, HashString const& name, float value);

    HashString name_;
    // Declared before the outputs so that the outputs are destroyed first.
    Array<PeripheralMap> inputs_;
    Array<PeripheralMap> outputs_;
};

// What a failed group lookup yields: no actions, so every read gives 0.0 or false.
extern const ActionGroup DUMMY_ACTION_GROUP;

}  // namespace orvo
