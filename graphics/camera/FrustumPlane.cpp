#include "graphics/camera/FrustumPlane.h"

#include "graphics/ZqVectorOps.h"

namespace orvo {

void FrustumPlane::set3Points(const ZqVector<3>& a, const ZqVector<3>& b, const ZqVector<3>& c) {
    normal = (c - b).cross(a - b);
    normal.normalize();
    d = -dot(normal, b);
}

float FrustumPlane::distance(const ZqVector<3>& point) const { return dot(normal, point) + d; }

}  // namespace orvo
