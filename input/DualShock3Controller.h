#pragma once

#include "input/Controller.h"

namespace orvo {

// A twin-stick game pad with shape buttons.
class DualShock3Controller : public Controller {
public:
    DualShock3Controller();
};

}  // namespace orvo
