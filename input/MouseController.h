#pragma once

#include "input/Controller.h"

namespace orvo {

// A mouse: position, buttons and wheel.
class MouseController : public Controller {
public:
    MouseController();
};

}  // namespace orvo
