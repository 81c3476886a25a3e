#pragma once

#include "core/maths/ZqVector.h"

namespace orvo {

// Component-wise helpers the cameras and the renderer need beyond the maths kit.
inline ZqVector<3> operator+(const ZqVector<3>& a, const ZqVector<3>& b) {
    return ZqVector<3>(a.x + b.x, a.y + b.y, a.z + b.z);
}

inline ZqVector<3> operator-(const ZqVector<3>& a, const ZqVector<3>& b) {
    return ZqVector<3>(a.x - b.x, a.y - b.y, a.z - b.z);
}

inline ZqVector<3> operator-(const ZqVector<3>& a) { return ZqVector<3>(-a.x, -a.y, -a.z); }

inline ZqVector<3> operator*(const ZqVector<3>& a, float s) {
    return ZqVector<3>(a.x * s, a.y * s, a.z * s);
}

inline float dot(const ZqVector<3>& a, const ZqVector<3>& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

}  // namespace orvo
