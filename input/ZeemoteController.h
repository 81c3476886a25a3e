#pragma once

#include "input/Controller.h"

namespace orvo {

// A one-handed joystick remote with its battery and connection state.
class ZeemoteController : public Controller {
public:
    ZeemoteController();
};

}  // namespace orvo
