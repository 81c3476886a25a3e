#include "tests/game/render/ScreenProjection.h"

#include "game/scene/SceneManager.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/ZqVectorOps.h"

using namespace orvo;

bool projectToScreen(SceneManager& scene, const ZqVector<3>& point, float& x, float& y, bool bent) {
    GraphicsSystem* graphics = GraphicsSystem::instance_;
    const boost::shared_ptr<RenderTarget> target = graphics != nullptr
                                                       ? graphics->getCurrentRenderTarget()
                                                       : boost::shared_ptr<RenderTarget>();
    if (!target) {
        return false;
    }
    // The frame ends with the UI camera: take the scene camera's matrices again.
    graphics->setCamera(scene.getSceneCamera());
    ZqMatrix<4, 4> view, projection;
    target->getViewMatrix(view);
    target->getProjectionMatrix(projection);
    // The stored matrices are in upload order: a point is a row multiplied from the left.
    const ZqMatrix<4, 4> viewProjection = view * projection;
    const auto toClip = [&viewProjection](const ZqVector<3>& p, float* clip) {
        const float row[4] = {p.x, p.y, p.z, 1.0f};
        for (int column = 0; column < 4; ++column) {
            clip[column] = 0.0f;
            for (int k = 0; k < 4; ++k) {
                clip[column] += row[k] * viewProjection(k, column);
            }
        }
    };
    float clip[4];
    toClip(point, clip);
    if (clip[3] <= 0.0f) {
        return false;
    }
    // The bend of the world shaders (data/shaders/include/curvature.glsl).
    const float factor = bent ? scene.getCurvatureFactor() : 0.0f;
    const float b = clip[3] * clip[3] * factor * 0.0000005f;
    toClip(point + ZqVector<3>(0.0f, -b, -b * scene.getZCurvature() * (1.0f / 300.0f)), clip);
    if (clip[3] <= 0.0f) {
        return false;
    }
    x = (clip[0] / clip[3] + 1.0f) * 0.5f * float(target->getCurrentRenderWidth());
    y = (clip[1] / clip[3] + 1.0f) * 0.5f * float(target->getCurrentRenderHeight());
    return true;
}
