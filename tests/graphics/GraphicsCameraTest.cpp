#include <gtest/gtest.h>

#include <cmath>

#include "graphics/camera/GraphicsCamera.h"

using namespace orvo;

namespace {

GraphicsCamera lookingDownMinusZ() {
    // 90 degrees vertical, square: the side planes are at 45 degrees.
    return GraphicsCamera(90.0f, 1.0f, 1.0f, 10.0f, ZqVector<3>(0.0f, 0.0f, 0.0f),
                          ZqVector<3>(0.0f, 0.0f, -1.0f), ZqVector<3>(0.0f, 1.0f, 0.0f),
                          ZqVector<3>(), 0.0f);
}

void expectNear(const ZqVector<3>& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

TEST(GraphicsCameraTest, FrustumPlanesOfAKnownCamera) {
    GraphicsCamera camera = lookingDownMinusZ();
    camera.updateFrustum();
    EXPECT_FALSE(camera.dirty);
    const GraphicsCameraFrustum& f = camera.frustum;
    EXPECT_NEAR(f.nearHalfHeight, 1.0f, 1e-6f);
    EXPECT_NEAR(f.farHalfWidth, 10.0f, 1e-5f);
    expectNear(f.nearTopLeft, -1.0f, 1.0f, -1.0f);
    expectNear(f.farBottomRight, 10.0f, -10.0f, -10.0f);
    const float r = std::sqrt(0.5f);
    // Normals point into the volume; the side planes pass through the eye.
    struct Plane {
        float x, y, z, d;
    };
    const Plane expected[6] = {{0, -r, -r, 0}, {0, r, -r, 0},  {r, 0, -r, 0},
                               {-r, 0, -r, 0}, {0, 0, -1, -1}, {0, 0, 1, 10}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        expectNear(f.planes[i].normal, expected[i].x, expected[i].y, expected[i].z);
        EXPECT_NEAR(f.planes[i].d, expected[i].d, 1e-5f);
    }
    // An index past the end uses the last (far) plane.
    EXPECT_EQ(f.getDistanceFromPlane(9, ZqVector<3>(0.0f, 0.0f, -4.0f)),
              f.getDistanceFromPlane(5, ZqVector<3>(0.0f, 0.0f, -4.0f)));
    EXPECT_NEAR(f.getDistanceFromPlane(9, ZqVector<3>(0.0f, 0.0f, -4.0f)), 6.0f, 1e-5f);
}

TEST(GraphicsCameraTest, Containment) {
    GraphicsCamera camera = lookingDownMinusZ();
    camera.updateFrustum();
    const GraphicsCameraFrustum& f = camera.frustum;
    const int OUT = GraphicsCameraFrustum::OUTSIDE;
    const int CUT = GraphicsCameraFrustum::INTERSECTING;
    const int IN = GraphicsCameraFrustum::INSIDE;

    EXPECT_EQ(f.pointInFrustum(ZqVector<3>(0.0f, 0.0f, -5.0f)), IN);
    EXPECT_EQ(f.pointInFrustum(ZqVector<3>(6.0f, 0.0f, -5.0f)), OUT);
    // Near and far are not tested: beyond the far plane still counts as inside.
    EXPECT_EQ(f.pointInFrustum(ZqVector<3>(0.0f, 0.0f, -50.0f)), IN);

    EXPECT_EQ(f.sphereInFrustum(ZqVector<3>(0.0f, 0.0f, -5.0f), 1.0f), IN);
    EXPECT_EQ(f.sphereInFrustum(ZqVector<3>(5.0f, 0.0f, -5.0f), 1.0f), CUT);
    EXPECT_EQ(f.sphereInFrustum(ZqVector<3>(9.0f, 0.0f, -5.0f), 1.0f), OUT);

    const ZqVector<4> min(-1.0f, -1.0f, -1.0f, 1.0f);
    const ZqVector<4> max(1.0f, 1.0f, 1.0f, 1.0f);
    auto at = [](float x, float z) {
        return ZqMatrix<4, 4>(1, 0, 0, x, 0, 1, 0, 0, 0, 0, 1, z, 0, 0, 0, 1);
    };
    EXPECT_EQ(f.boxInFrustum(min, max, at(0.0f, -5.0f)), IN);
    EXPECT_EQ(f.boxInFrustum(min, max, at(5.0f, -5.0f)), CUT);
    EXPECT_EQ(f.boxInFrustum(min, max, at(20.0f, -5.0f)), OUT);
}

TEST(GraphicsCameraTest, RotationsAndDirtyFlag) {
    GraphicsCamera camera(60.0f, 1.5f, 1.0f, 100.0f, ZqVector<3>(), ZqVector<3>(1.0f, 0.0f, 0.0f),
                          ZqVector<3>(0.0f, 0.0f, 1.0f), ZqVector<3>(), 0.0f);
    camera.updateFrustum();
    camera.setFocalPoint(ZqVector<3>(1.0f, 1.0f, 1.0f));
    camera.setDepthOfField(3.0f);
    EXPECT_FALSE(camera.dirty);

    camera.rotateZ(ZqMaths::HALF_PI);
    EXPECT_TRUE(camera.dirty);
    expectNear(camera.direction, 0.0f, 1.0f, 0.0f);
    expectNear(camera.up, 0.0f, 0.0f, 1.0f);  // along Z: unchanged
    expectNear(camera.thirdAxis, 1.0f, 0.0f, 0.0f);
    camera.rotateX(0.3f);
    camera.rotateY(-1.1f);
    EXPECT_NEAR(std::sqrt(camera.direction.x * camera.direction.x +
                          camera.direction.y * camera.direction.y +
                          camera.direction.z * camera.direction.z),
                1.0f, 1e-6f);

    // An orthographic camera keeps its dirty flag.
    camera.perspective = 0;
    camera.updateFrustum();
    EXPECT_TRUE(camera.dirty);
}

TEST(GraphicsCameraTest, CameraAndBillboardTransformations) {
    const GraphicsCamera camera = lookingDownMinusZ();
    GraphicsCamera moved = camera;
    moved.setPosition(ZqVector<3>(4.0f, 5.0f, 6.0f));
    ZqMatrix<4, 4> m;
    moved.getCameraTransformation(m);
    // Columns: third axis, up, direction, position.
    const float expected[16] = {1, 0, 0, 4, 0, 1, 0, 5, 0, 0, -1, 6, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(m[i], expected[i]) << i;
    }
    ZqMatrix<4, 4> b(0, 0, 0, 7, 0, 0, 0, 8, 0, 0, 0, 9, 3, 3, 3, 3);
    moved.getBillboardTransformation(b);
    const float billboard[16] = {1, 0, 0, 7, 0, 1, 0, 8, 0, 0, -1, 9, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(b[i], billboard[i]) << i;
    }
}

}  // namespace
