#pragma once

#include "input/Controller.h"

namespace orvo {

// The keyboard, with the tablet-style system keys at the end.
class KeyboardController : public Controller {
public:
    KeyboardController();
};

}  // namespace orvo
