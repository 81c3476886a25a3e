#include "graphics/camera/GraphicsCamera.h"

namespace orvo {

namespace {

// Rotates (a, b) in their plane: a' = a c - b s, b' = b c + a s.
void rotatePair(float& a, float& b, float c, float s) {
    const float a0 = a;
    const float b0 = b;
    a = a0 * c - b0 * s;
    b = b0 * c + a0 * s;
}

}  // namespace

GraphicsCamera::GraphicsCamera(float fov, float aspect, float nearClipDistance,
                               float farClipDistance, const ZqVector<3>& cameraPosition,
                               const ZqVector<3>& cameraDirection, const ZqVector<3>& cameraUp,
                               const ZqVector<3>& cameraFocalPoint, float cameraDepthOfField)
    : fieldOfView(fov),
      displayAspectRatio(aspect),
      nearClip(nearClipDistance),
      farClip(farClipDistance),
      depthOfField(cameraDepthOfField),
      perspective(1),
      position(cameraPosition),
      direction(cameraDirection),
      up(cameraUp),
      thirdAxis(cameraDirection.cross(cameraUp)),
      focalPoint(cameraFocalPoint),
      orthoLeft(0.0f),
      orthoRight(1.0f),
      orthoTop(1.0f),
      orthoBottom(0.0f),
      dirty(true) {
    setAll(cameraPosition, cameraDirection, cameraUp, cameraFocalPoint, cameraDepthOfField);
}

void GraphicsCamera::setPosition(const ZqVector<3>& v) {
    position = v;
    dirty = true;
}

void GraphicsCamera::setFieldOfView(float f) {
    fieldOfView = f;
    dirty = true;
}

void GraphicsCamera::setDisplayAspectRatio(float f) {
    displayAspectRatio = f;
    dirty = true;
}

void GraphicsCamera::setNearClip(float f) {
    nearClip = f;
    dirty = true;
}

void GraphicsCamera::setFarClip(float f) {
    farClip = f;
    dirty = true;
}

void GraphicsCamera::setPerspective(float fov, float aspect) {
    fieldOfView = fov;
    displayAspectRatio = aspect;
    dirty = true;
}

void GraphicsCamera::setOrientation(const ZqVector<3>& cameraDirection,
                                    const ZqVector<3>& cameraUp) {
    direction = cameraDirection;
    up = cameraUp;
    thirdAxis = direction.cross(up);
    dirty = true;
}

void GraphicsCamera::setAll(const ZqVector<3>& cameraPosition, const ZqVector<3>& cameraDirection,
                            const ZqVector<3>& cameraUp, const ZqVector<3>& cameraFocalPoint,
                            float cameraDepthOfField) {
    setPosition(cameraPosition);
    setOrientation(cameraDirection, cameraUp);
    setFocalPoint(cameraFocalPoint);
    setDepthOfField(cameraDepthOfField);
}

void GraphicsCamera::rotateAbout(float ZqVector<3>::*a, float ZqVector<3>::*b, float angle) {
    const float c = ZqMaths::cos(angle);
    const float s = ZqMaths::sin(angle);
    rotatePair(direction.*a, direction.*b, c, s);
    rotatePair(up.*a, up.*b, c, s);
    thirdAxis = direction.cross(up);
    dirty = true;
}

void GraphicsCamera::rotateX(float angle) { rotateAbout(&ZqVector<3>::y, &ZqVector<3>::z, angle); }

void GraphicsCamera::rotateY(float angle) { rotateAbout(&ZqVector<3>::z, &ZqVector<3>::x, angle); }

void GraphicsCamera::rotateZ(float angle) { rotateAbout(&ZqVector<3>::x, &ZqVector<3>::y, angle); }

void GraphicsCamera::getCameraTransformation(ZqMatrix<4, 4>& out) const {
    out = ZqMatrix<4, 4>(thirdAxis.x, up.x, direction.x, position.x, thirdAxis.y, up.y, direction.y,
                         position.y, thirdAxis.z, up.z, direction.z, position.z, 0.0f, 0.0f, 0.0f,
                         1.0f);
}

void GraphicsCamera::getBillboardTransformation(ZqMatrix<4, 4>& out) const {
    const ZqVector<3>* rows[3] = {&thirdAxis, &up, &direction};
    for (int row = 0; row < 3; ++row) {
        out(row, 0) = rows[row]->x;
        out(row, 1) = rows[row]->y;
        out(row, 2) = rows[row]->z;
    }
    out[12] = 0.0f;
    out[13] = 0.0f;
    out[14] = 0.0f;
    out[15] = 1.0f;
}

void GraphicsCamera::updateFrustum() {
    if (perspective == 0 || !dirty) {
        return;
    }
    frustum.update(nearClip, farClip, displayAspectRatio, fieldOfView, position, up, direction);
    dirty = false;
}

}  // namespace orvo
