#include "tests/game/render/RenderedWorld.h"

#include "core/file/FileBase.h"
#include "core/locator/ServiceSingleton.h"
#include "game/time/TimeManager.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/ZqVectorOps.h"
#include "graphics/camera/GraphicsCamera.h"
#include "graphics/shader/ShaderCache.h"
#include "graphics/shader/ShaderManager.h"
#include "graphics/texture/TextureManager.h"
#include "platform/playbook/QnxWindow.h"
#include "tests/core/file/TempDirectory.h"
#include "tests/graphics/PbufferContext.h"
#include "tests/tools/GameGraphics.h"

using namespace orvo;

namespace trellin_test {

void RenderedWorldTest::SetUp() {
    // The graphics service's target draws on the context this makes and ends it.
    const char* failed = openPbufferContext(WIDTH, HEIGHT);
    display_ = qnxContext.display;
    ASSERT_EQ(failed, nullptr) << failed << " failed";
    ASSERT_NE(Locator::registerService<ShaderManager>("ShaderManager"), nullptr);
    ASSERT_NE(Locator::registerService<ShaderCache>("ShaderCache"), nullptr);
    ASSERT_NE(Locator::registerService<TextureManager>("TextureManager"), nullptr);
    FileBase::setRootPath(TRELLIN_RUN_FOLDER "/app/native/trellin.pak");
    world.reset(new HeadlessWorld(STEP, HeadlessWorld::GL_TARGET));
    const std::string error = loadGameGraphics();
    ASSERT_TRUE(error.empty()) << error;
}

void RenderedWorldTest::TearDown() {
    // GL objects go while the context lives; the world's graphics service then ends it.
    Locator::deregisterService<ShaderCache>();
    Locator::deregisterService<ShaderManager>();
    Locator::deregisterService<TextureManager>();
    world.reset();
    TempDirectory::resetFileState();
    if (display_ != EGL_NO_DISPLAY) {
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglTerminate(display_);
    }
    eglReleaseThread();
}

void RenderedWorldTest::frames(int count) {
    for (int i = 0; i < count; ++i) {
        world->frame();
    }
}

void RenderedWorldTest::dropShield() {
    player().shieldTimer.stop();
    player().shieldWarningTimer.stop();
    player().shieldFlashTimer.stop();
    player().setShipToWhite();
}

// A pbuffer has no back buffer: the swap leaves the frame in place.
Screenshot RenderedWorldTest::pixels() { return Screenshot::capture(WIDTH, HEIGHT); }

Screenshot RenderedWorldTest::redraw() {
    GameTimer& timer = TimeManager::instance_->getTimer(TimeManager::WORLD_TIMER);
    const double delta = timer.lastDelta;
    timer.lastDelta = 0.0;
    game().renderFrame();
    timer.lastDelta = delta;
    return pixels();
}

bool RenderedWorldTest::project(const ZqVector<3>& point, float& x, float& y, bool bent) {
    // The frame ends with the UI camera: take the scene camera's matrices again.
    GraphicsSystem::instance_->setCamera(scene().getSceneCamera());
    ZqMatrix<4, 4> view, projection;
    const boost::shared_ptr<RenderTarget> target =
        GraphicsSystem::instance_->getCurrentRenderTarget();
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
    const float factor = bent ? scene().getCurvatureFactor() : 0.0f;
    const float b = clip[3] * clip[3] * factor * 0.0000005f;
    toClip(point + ZqVector<3>(0.0f, -b, -b * scene().getZCurvature() * (1.0f / 300.0f)), clip);
    if (clip[3] <= 0.0f) {
        return false;
    }
    x = (clip[0] / clip[3] + 1.0f) * 0.5f * float(WIDTH);
    y = (clip[1] / clip[3] + 1.0f) * 0.5f * float(HEIGHT);
    return true;
}

std::string RenderedWorldTest::shotPath(const char* name) {
    return std::string(TRELLIN_SCREENSHOT_FOLDER) + "/" + name + ".png";
}

}  // namespace trellin_test
