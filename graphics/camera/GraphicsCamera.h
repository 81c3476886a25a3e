#pragma once

#include <cstdint>

#include "core/maths/ZqMatrix.h"
#include "core/maths/ZqVector.h"
#include "graphics/camera/GraphicsCameraFrustum.h"

namespace orvo {

// Lens, position and orientation the renderer builds its projection and view from. Users write
// the perspective flag and the orthographic rectangle directly.
class GraphicsCamera {
public:
    GraphicsCamera(float fov, float aspect, float nearClipDistance, float farClipDistance,
                   const ZqVector<3>& cameraPosition, const ZqVector<3>& cameraDirection,
                   const ZqVector<3>& cameraUp, const ZqVector<3>& cameraFocalPoint,
                   float cameraDepthOfField);

    void setPosition(const ZqVector<3>& v);
    void setFieldOfView(float f);
    void setDisplayAspectRatio(float f);
    void setNearClip(float f);
    void setFarClip(float f);
    void setPerspective(float fov, float aspect);
    // Not used for the matrices, so they leave the camera clean.
    void setDepthOfField(float f) { depthOfField = f; }
    void setFocalPoint(const ZqVector<3>& v) { focalPoint = v; }
    void setOrientation(const ZqVector<3>& cameraDirection, const ZqVector<3>& cameraUp);
    void setAll(const ZqVector<3>& cameraPosition, const ZqVector<3>& cameraDirection,
                const ZqVector<3>& cameraUp, const ZqVector<3>& cameraFocalPoint,
                float cameraDepthOfField);
    // About the world axes, in radians.
    void rotateX(float angle);
    void rotateY(float angle);
    void rotateZ(float angle);

    void getCameraTransformation(ZqMatrix<4, 4>& out) const;
    void getBillboardTransformation(ZqMatrix<4, 4>& out) const;
    // Rebuilds the frustum of a changed perspective camera.
    void updateFrustum();

    float fieldOfView;
    float displayAspectRatio;
    float nearClip;
    float farClip;
    float depthOfField;
    uint8_t perspective;
    ZqVector<3> position;
    ZqVector<3> direction;
    ZqVector<3> up;
    ZqVector<3> thirdAxis;
    ZqVector<3> focalPoint;
    float orthoLeft;
    float orthoRight;
    float orthoTop;
    float orthoBottom;
    GraphicsCameraFrustum frustum;
    bool dirty;

private:
    // Turns direction and up in the plane of the two world axes a and b, a towards b.
    void rotateAbout(float ZqVector<3>::*a, float ZqVector<3>::*b, float angle);
};

}  // namespace orvo
