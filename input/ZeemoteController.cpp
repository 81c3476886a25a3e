#include "input/ZeemoteController.h"

#include "input/ControlNames.h"

namespace orvo {

namespace {

constexpr HashString CONTROLS[] = {BUTTON_A,    BUTTON_B,      BUTTON_C,        BUTTON_D,
                                   JOYSTICK_X,  JOYSTICK_Y,    JOYSTICK_LEFT,   JOYSTICK_RIGHT,
                                   JOYSTICK_UP, JOYSTICK_DOWN, ZEEMOTE_BATTERY, ZEEMOTE_CONNECTED};

}  // namespace

ZeemoteController::ZeemoteController() { addControllers(CONTROLS); }

}  // namespace orvo
