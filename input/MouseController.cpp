#include "input/MouseController.h"

#include "input/ControlNames.h"

namespace orvo {

namespace {

constexpr HashString CONTROLS[] = {
    MOUSE_X,        MOUSE_Y,          MOUSE_LEFT_BUTTON, MOUSE_RIGHT_BUTTON, MOUSE_MIDDLE_BUTTON,
    MOUSE_WHEEL_UP, MOUSE_WHEEL_DOWN, MOUSE_BUTTON_6,    MOUSE_BUTTON_7,     MOUSE_BUTTON_8,
    MOUSE_BUTTON_9};

}  // namespace

MouseController::MouseController() { addControllers(CONTROLS); }

}  // namespace orvo
