#include "input/MultiPointerController.h"

namespace orvo {

MultiPointerController::MultiPointerController() {
    for (const Pointer& pointer : POINTERS) {
        addController(pointer.x);
        addController(pointer.y);
        addController(pointer.down);
    }
}

}  // namespace orvo
