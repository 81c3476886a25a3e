#include "input/DualShock3Controller.h"

#include "input/ControlNames.h"

namespace orvo {

namespace {

constexpr HashString CONTROLS[] = {BUTTON_CROSS,
                                   BUTTON_CIRCLE,
                                   BUTTON_TRIANGLE,
                                   BUTTON_SQUARE,
                                   BUTTON_START,
                                   BUTTON_SELECT,
                                   BUTTON_L1,
                                   BUTTON_L2,
                                   BUTTON_R1,
                                   BUTTON_R2,
                                   DIRECTIONAL_PAD_LEFT,
                                   DIRECTIONAL_PAD_RIGHT,
                                   DIRECTIONAL_PAD_UP,
                                   DIRECTIONAL_PAD_DOWN,
                                   ANALOGUE_STICK_LEFT_X,
                                   ANALOGUE_STICK_LEFT_Y,
                                   ANALOGUE_STICK_LEFT_BUTTON,
                                   ANALOGUE_STICK_RIGHT_X,
                                   ANALOGUE_STICK_RIGHT_Y,
                                   ANALOGUE_STICK_RIGHT_BUTTON,
                                   RUMBLE_LOW,
                                   RUMBLE_HIGH};

}  // namespace

DualShock3Controller::DualShock3Controller() { addControllers(CONTROLS); }

}  // namespace orvo
