#pragma once

#include "core/containers/Array.h"
#include "core/maths/ZqMatrix.h"
#include "core/maths/ZqVector.h"
#include "graphics/camera/FrustumPlane.h"

namespace orvo {

// The view volume of a perspective camera: eight corners and six planes (top, bottom, left,
// right, near, far). Containment tests use the four side planes only.
class GraphicsCameraFrustum {
public:
    enum Containment { OUTSIDE = 0, INTERSECTING = 1, INSIDE = 2 };
    enum Plane { TOP = 0, BOTTOM = 1, LEFT = 2, RIGHT = 3, NEAR_PLANE = 4, FAR_PLANE = 5 };
    static constexpr unsigned PLANE_COUNT = 6;

    GraphicsCameraFrustum();

    void update(float nearClip, float farClip, float aspect, float fov, const ZqVector<3>& position,
                const ZqVector<3>& up, const ZqVector<3>& direction);

    // An index past the last plane uses the last plane.
    float getDistanceFromPlane(unsigned plane, const ZqVector<3>& point) const;
    int pointInFrustum(const ZqVector<3>& point) const;
    int sphereInFrustum(const ZqVector<3>& centre, float radius) const;
    int boxInFrustum(const ZqVector<3> (&corners)[8]) const;
    int boxInFrustum(const ZqVector<4>& min, const ZqVector<4>& max,
                     const ZqMatrix<4, 4>& transform) const;

    ZqVector<3> nearTopLeft;
    ZqVector<3> nearTopRight;
    ZqVector<3> nearBottomLeft;
    ZqVector<3> nearBottomRight;
    ZqVector<3> farTopLeft;
    ZqVector<3> farTopRight;
    ZqVector<3> farBottomLeft;
    ZqVector<3> farBottomRight;
    float nearHalfWidth;
    float nearHalfHeight;
    float farHalfWidth;
    float farHalfHeight;
    Array<FrustumPlane> planes;
};

}  // namespace orvo
