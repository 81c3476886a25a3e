#include "core/maths/ZqVector.h"

#include "core/maths/ZqMaths.h"

namespace orvo {

float ZqVector<3>::normalize() {
    const float length = ZqMaths::sqrt(x * x + y * y + z * z);
    if (length <= ZqMaths::ZERO_TOLERANCE) {
        x = y = z = 0.0f;
        return 0.0f;
    }
    const float inverse = 1.0f / length;
    x *= inverse;
    y *= inverse;
    z *= inverse;
    return length;
}

}  // namespace orvo
