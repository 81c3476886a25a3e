#include "core/maths/RandomSequence.h"

namespace orvo {

int RandomSequence::next() {
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<int>((state_ / 65536u) % 32768u);
}

float RandomSequence::unit() { return static_cast<float>(next()) * UNIT_SCALE; }

}  // namespace orvo
