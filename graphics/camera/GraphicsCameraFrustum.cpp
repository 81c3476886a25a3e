#include "graphics/camera/GraphicsCameraFrustum.h"

#include "graphics/ZqVectorOps.h"

namespace orvo {

namespace {

const unsigned SIDE_PLANES = 4;

}  // namespace

GraphicsCameraFrustum::GraphicsCameraFrustum()
    : nearHalfWidth(0.0f), nearHalfHeight(0.0f), farHalfWidth(0.0f), farHalfHeight(0.0f) {
    planes.resize(PLANE_COUNT, FrustumPlane());
}

void GraphicsCameraFrustum::update(float nearClip, float farClip, float aspect, float fov,
                                   const ZqVector<3>& position, const ZqVector<3>& up,
                                   const ZqVector<3>& direction) {
    ZqVector<3> zAxis = -direction;
    zAxis.normalize();
    ZqVector<3> upAxis = up;
    upAxis.normalize();
    ZqVector<3> xAxis = upAxis.cross(zAxis);
    xAxis.normalize();
    const ZqVector<3> yAxis = zAxis.cross(xAxis);

    const float t = ZqMaths::tan(fov * ZqMaths::DEGREES_TO_RADIANS * 0.5f);
    farHalfHeight = t * farClip;
    farHalfWidth = farHalfHeight * aspect;
    nearHalfHeight = t * nearClip;
    nearHalfWidth = nearHalfHeight * aspect;

    const ZqVector<3> farCentre = position - zAxis * farClip;
    const ZqVector<3> nearCentre = position - zAxis * nearClip;
    farTopLeft = farCentre + yAxis * farHalfHeight - xAxis * farHalfWidth;
    farTopRight = farCentre + yAxis * farHalfHeight + xAxis * farHalfWidth;
    farBottomLeft = farCentre - yAxis * farHalfHeight - xAxis * farHalfWidth;
    farBottomRight = farCentre - yAxis * farHalfHeight + xAxis * farHalfWidth;
    nearTopLeft = nearCentre + yAxis * nearHalfHeight - xAxis * nearHalfWidth;
    nearTopRight = nearCentre + yAxis * nearHalfHeight + xAxis * nearHalfWidth;
    nearBottomLeft = nearCentre - yAxis * nearHalfHeight - xAxis * nearHalfWidth;
    nearBottomRight = nearCentre - yAxis * nearHalfHeight + xAxis * nearHalfWidth;

    if (planes.size() < PLANE_COUNT) {
        return;
    }
    planes[TOP].set3Points(nearTopRight, nearTopLeft, farTopLeft);
    planes[BOTTOM].set3Points(nearBottomLeft, nearBottomRight, farBottomRight);
    planes[LEFT].set3Points(nearTopLeft, nearBottomLeft, farBottomLeft);
    planes[RIGHT].set3Points(nearBottomRight, nearTopRight, farBottomRight);
    planes[NEAR_PLANE].set3Points(nearTopLeft, nearTopRight, nearBottomRight);
    planes[FAR_PLANE].set3Points(farTopRight, farTopLeft, farBottomLeft);
}

float GraphicsCameraFrustum::getDistanceFromPlane(unsigned plane, const ZqVector<3>& point) const {
    if (planes.empty()) {
        return 0.0f;
    }
    return planes.at(plane).distance(point);
}

int GraphicsCameraFrustum::pointInFrustum(const ZqVector<3>& point) const {
    for (unsigned i = 0; i < SIDE_PLANES && i < planes.size(); ++i) {
        if (planes[i].distance(point) < 0.0f) {
            return OUTSIDE;
        }
    }
    return INSIDE;
}

int GraphicsCameraFrustum::sphereInFrustum(const ZqVector<3>& centre, float radius) const {
    int result = INSIDE;
    for (unsigned i = 0; i < SIDE_PLANES && i < planes.size(); ++i) {
        const float distance = planes[i].distance(centre);
        if (distance < -radius) {
            return OUTSIDE;
        }
        if (distance < radius) {
            result = INTERSECTING;
        }
    }
    return result;
}

int GraphicsCameraFrustum::boxInFrustum(const ZqVector<3> (&corners)[8]) const {
    int result = INSIDE;
    for (unsigned i = 0; i < SIDE_PLANES && i < planes.size(); ++i) {
        int out = 0;
        int in = 0;
        for (int k = 0; k < 8 && (in == 0 || out == 0); ++k) {
            if (planes[i].distance(corners[k]) < 0.0f) {
                ++out;
            } else {
                ++in;
            }
        }
        if (in == 0) {
            return OUTSIDE;
        }
        if (out != 0) {
            result = INTERSECTING;
        }
    }
    return result;
}

int GraphicsCameraFrustum::boxInFrustum(const ZqVector<4>& min, const ZqVector<4>& max,
                                        const ZqMatrix<4, 4>& transform) const {
    ZqVector<3> corners[8];
    for (int k = 0; k < 8; ++k) {
        const float x = (k & 1) ? max.x : min.x;
        const float y = (k & 2) ? max.y : min.y;
        const float z = (k & 4) ? max.z : min.z;
        // Points: the translation in elements 3, 7 and 11 applies.
        corners[k] = ZqVector<3>(
            transform(0, 0) * x + transform(0, 1) * y + transform(0, 2) * z + transform(0, 3),
            transform(1, 0) * x + transform(1, 1) * y + transform(1, 2) * z + transform(1, 3),
            transform(2, 0) * x + transform(2, 1) * y + transform(2, 2) * z + transform(2, 3));
    }
    return boxInFrustum(corners);
}

}  // namespace orvo
