#include "input/RevolutionController.h"

#include "input/ControlNames.h"

namespace orvo {

namespace {

constexpr HashString CONTROLS[] = {BUTTON_1,
                                   BUTTON_2,
                                   BUTTON_A,
                                   BUTTON_B,
                                   BUTTON_MINUS,
                                   BUTTON_PLUS,
                                   BUTTON_HOME,
                                   ACCELEROMETER_X,
                                   ACCELEROMETER_Y,
                                   ACCELEROMETER_Z,
                                   INFRARED_X,
                                   INFRARED_Y,
                                   INFRARED_Z,
                                   NUNCHUK_Z,
                                   NUNCHUK_C,
                                   NUNCHUK_ANALOG_STICK_X,
                                   NUNCHUK_ANALOG_STICK_Y,
                                   NUNCHUK_ACCELEROMETER_X,
                                   NUNCHUK_ACCELEROMETER_Y,
                                   NUNCHUK_ACCELEROMETER_Z};

}  // namespace

RevolutionController::RevolutionController() { addControllers(CONTROLS); }

}  // namespace orvo
