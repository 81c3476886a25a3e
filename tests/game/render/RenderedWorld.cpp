#include "tests/game/render/RenderedWorld.h"

#include "core/file/FileBase.h"
#include "core/locator/ServiceSingleton.h"
#include "game/time/TimeManager.h"
#include "graphics/shader/ShaderCache.h"
#include "graphics/shader/ShaderManager.h"
#include "graphics/texture/TextureManager.h"
#include "platform/playbook/QnxWindow.h"
#include "tests/core/file/TempDirectory.h"
#include "tests/game/render/ScreenProjection.h"
#include "tests/game/support/MissingData.h"
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
    // The archive has no music: that is beside it, in the run folder.
    expectMissingMusic();
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
    closePbufferContext(display_);
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
    return projectToScreen(scene(), point, x, y, bent);
}

std::string RenderedWorldTest::shotPath(const char* name) {
    return std::string(TRELLIN_SCREENSHOT_FOLDER) + "/" + name + ".png";
}

}  // namespace trellin_test
