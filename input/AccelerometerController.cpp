#include "input/AccelerometerController.h"

#include "input/ControlNames.h"

namespace orvo {

namespace {

constexpr HashString CONTROLS[] = {ACCELEROMETER_X, ACCELEROMETER_Y, ACCELEROMETER_Z};

}  // namespace

AccelerometerController::AccelerometerController() { addControllers(CONTROLS); }

}  // namespace orvo
