#pragma once

namespace Rocket {
namespace Core {
namespace Input {

enum KeyIdentifier {
    KI_UNKNOWN = 0,
    KI_SPACE = 1,
    KI_0 = 2,
    KI_1,
    KI_2,
    KI_3,
    KI_4,
    KI_5,
    KI_6,
    KI_7,
    KI_8,
    KI_9,
    KI_A = 12,
    KI_B,
    KI_C,
    KI_D,
    KI_E,
    KI_F,
    KI_G,
    KI_H,
    KI_I,
    KI_J,
    KI_K,
    KI_L,
    KI_M,
    KI_N,
    KI_O,
    KI_P,
    KI_Q,
    KI_R,
    KI_S,
    KI_T,
    KI_U,
    KI_V,
    KI_W,
    KI_X,
    KI_Y,
    KI_Z,
    KI_BACK = 69,
    KI_TAB = 70,
    KI_CLEAR = 71,
    KI_RETURN = 72,
    KI_PAUSE = 73,
    KI_CAPITAL = 74,
    KI_ESCAPE = 81,
    KI_PRIOR = 86,
    KI_NEXT = 87,
    KI_END = 88,
    KI_HOME = 89,
    KI_LEFT = 90,
    KI_UP = 91,
    KI_RIGHT = 92,
    KI_DOWN = 93,
    KI_DELETE = 99,
};

enum KeyModifier {
    KM_CTRL = 1 << 0,
    KM_SHIFT = 1 << 1,
    KM_ALT = 1 << 2,
    KM_META = 1 << 3,
    KM_CAPSLOCK = 1 << 4,
    KM_NUMLOCK = 1 << 5,
    KM_SCROLLLOCK = 1 << 6,
};

}  // namespace Input
}  // namespace Core
}  // namespace Rocket
