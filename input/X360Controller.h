#pragma once

#include "input/Controller.h"

namespace orvo {

// A twin-stick game pad with lettered buttons.
class X360Controller : public Controller {
public:
    X360Controller();
};

}  // namespace orvo
