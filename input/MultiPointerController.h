#pragma once

#include <cstddef>

#include "input/ControlNames.h"
#include "input/Controller.h"

namespace orvo {

// The touch screen: ten pointers, each with its position in window pixels and its down state.
class MultiPointerController : public Controller {
public:
    struct Pointer {
        HashString x;
        HashString y;
        HashString down;
    };

    static constexpr std::size_t POINTER_COUNT = 10;
    // Pointer n + 1 belongs to touch id n.
    static constexpr Pointer POINTERS[POINTER_COUNT] = {
        {POINTER_1_X, POINTER_1_Y, POINTER_1_DOWN}, {POINTER_2_X, POINTER_2_Y, POINTER_2_DOWN},
        {POINTER_3_X, POINTER_3_Y, POINTER_3_DOWN}, {POINTER_4_X, POINTER_4_Y, POINTER_4_DOWN},
        {POINTER_5_X, POINTER_5_Y, POINTER_5_DOWN}, {POINTER_6_X, POINTER_6_Y, POINTER_6_DOWN},
        {POINTER_7_X, POINTER_7_Y, POINTER_7_DOWN}, {POINTER_8_X, POINTER_8_Y, POINTER_8_DOWN},
        {POINTER_9_X, POINTER_9_Y, POINTER_9_DOWN}, {POINTER_10_X, POINTER_10_Y, POINTER_10_DOWN},
    };

    MultiPointerController();
};

}  // namespace orvo
