#pragma once

#include "input/Controller.h"

namespace orvo {

// The three axes of an accelerometer.
class AccelerometerController : public Controller {
public:
    AccelerometerController();
};

}  // namespace orvo
