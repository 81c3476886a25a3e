#pragma once

#include "core/maths/ZqVector.h"

namespace orvo {

// A plane; the signed distance of p is normal . p + d.
struct FrustumPlane {
    FrustumPlane() : normal(), d(0.0f) {}

    // The plane through three points, its normal along (c - b) x (a - b).
    void set3Points(const ZqVector<3>& a, const ZqVector<3>& b, const ZqVector<3>& c);
    float distance(const ZqVector<3>& point) const;

    ZqVector<3> normal;
    float d;
};

}  // namespace orvo
