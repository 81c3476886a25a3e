#pragma once

#include "input/PlatformControlSetup.h"

namespace orvo {

// The tablet: one multi-pointer controller fed from the screen's multi-touch events, touch ids
// 0 to 9 as pointers 1 to 10, positions in window pixels.
class PlatformControlSetupPlaybook : public PlatformControlSetup {
public:
    PlatformControlSetupPlaybook();

    unsigned int getMaxMultiPointerControllers() const override;

    // Only MultiPointer events reach the first controller; a screen event whose type, touch id
    // or position cannot be read is ignored.
    void updateControllers(bps_event_t* event, Controller::Type type,
                           Array<Controller>* controllers) override;

    // Touch (100), move (101) and release (102) of one touch id; other types and ids outside
    // 0 to 9 change nothing.
    void handleTouchEvent(Controller& controller, int eventType, int touchId, int* position);

private:
    float coordinateScale;
};

}  // namespace orvo
