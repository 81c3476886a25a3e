#include "input/X360Controller.h"

#include "input/ControlNames.h"

namespace orvo {

namespace {

constexpr HashString CONTROLS[] = {BUTTON_A,
                                   BUTTON_B,
                                   BUTTON_X,
                                   BUTTON_Y,
                                   BUTTON_LB,
                                   BUTTON_RB,
                                   BUTTON_LT,
                                   BUTTON_RT,
                                   BUTTON_START,
                                   BUTTON_BACK,
                                   ANALOGUE_STICK_LEFT_BUTTON,
                                   ANALOGUE_STICK_RIGHT_BUTTON,
                                   ANALOGUE_STICK_LEFT_X,
                                   ANALOGUE_STICK_LEFT_Y,
                                   ANALOGUE_STICK_RIGHT_X,
                                   ANALOGUE_STICK_RIGHT_Y,
                                   DIRECTIONAL_PAD_LEFT,
                                   DIRECTIONAL_PAD_RIGHT,
                                   DIRECTIONAL_PAD_UP,
                                   DIRECTIONAL_PAD_DOWN,
                                   RUMBLE_LOW,
                                   RUMBLE_HIGH};

}  // namespace

X360Controller::X360Controller() { addControllers(CONTROLS); }

}  // namespace orvo
