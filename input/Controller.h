#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "core/containers/Array.h"
#include "core/hash/HashString.h"

namespace orvo {

// One input device seen as a fixed list of named controls with float values. The device
// classes only fill the list in their constructors, so a plain copy of one behaves the same.
class Controller {
public:
    // Also the index of the input service's per-type controller arrays.
    enum Type : int32_t {
        Keyboard = 0,
        Mouse = 1,
        MultiPointer = 2,
        Accelerometer = 3,
        DualShock3 = 4,
        X360 = 5,
        Revolution = 6,
        Zeemote = 7,
        XperiaPlay = 8
    };
    static constexpr std::size_t TYPE_COUNT = 9;

    typedef std::pair<HashString, float> Control;

    Controller() = default;
    Controller(const Controller&) = default;
    Controller& operator=(const Controller&) = default;
    virtual ~Controller();

    // 0.0 for a control this controller lacks.
    float getControllerValue(HashString control) const;
    // An unknown control is ignored: nothing is added.
    void setControllerValue(HashString control, float const& value);
    void clear();
    // Appends the control at 0.0; false when it could not be stored.
    bool addController(HashString const& control);

    const Array<Control>& getControls() const { return controls_; }

protected:
    template <std::size_t N>
    void addControllers(const HashString (&names)[N]) {
        for (const HashString& name : names) {
            addController(name);
        }
    }

private:
    // Index of the first control with the id, or -1.
    std::ptrdiff_t indexOf(HashString control) const;

    Array<Control> controls_;
};

}  // namespace orvo
