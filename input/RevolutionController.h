#pragma once

#include "input/Controller.h"

namespace orvo {

// A motion remote with its pointer and nunchuk attachment.
class RevolutionController : public Controller {
public:
    RevolutionController();
};

}  // namespace orvo
