#include "tests/ui/UiGlTest.h"

#include <GLES2/gl2.h>

#include "core/locator/ServiceSingleton.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/camera/GraphicsCamera.h"
#include "graphics/material/MaterialManager.h"
#include "graphics/texture/TextureManager.h"
#include "tests/ui/UiServiceSetup.h"

using namespace orvo;

namespace ui_test {

void UiGlTest::SetUp() {
    GraphicsTest::SetUp();
    if (HasFatalFailure()) {
        return;
    }
    TextureManager::instance_->initialise(0xFFFF00FF);
    ASSERT_NE(Locator::registerService<MaterialManager>("MaterialManager"), nullptr);
    ASSERT_TRUE(startUiService(files));

    // The UI camera sees the unit square the UI's vertices are given in.
    boost::shared_ptr<GraphicsCamera> camera(new GraphicsCamera(
        45.0f, 1.0f, 0.1f, 10.0f, ZqVector<3>(0.0f, 0.0f, 1.0f), ZqVector<3>(0.0f, 0.0f, -1.0f),
        ZqVector<3>(0.0f, 1.0f, 0.0f), ZqVector<3>(), 0.0f));
    camera->perspective = 0;
    camera->orthoLeft = 0.0f;
    camera->orthoRight = 1.0f;
    camera->orthoTop = 1.0f;
    camera->orthoBottom = 0.0f;
    GraphicsSystem::instance_->setCamera(camera);
    // The state the game's scene pass leaves for the UI: UI quads wind clockwise on screen.
    target().disableBackFaceCulling();
    target().disableDepthTestRead();
    target().setBackgroundClearColor(ZqColorRoot<float>{0.0f, 0.0f, 0.0f, 1.0f});
}

void UiGlTest::TearDown() {
    Locator::deregisterService<RocketSystem>();
    Locator::deregisterService<MaterialManager>();
    if (TextureManager::instance_ != nullptr) {
        TextureManager::instance_->uninitialise();
    }
    FileBase::setRootPath(ZqString());
    GraphicsTest::TearDown();
}

void UiGlTest::drawFrame() {
    target().startFrame();
    ui().update(0.0);
    GraphicsSystem::instance_->enableAlphaBlending();
    ui().render("all");
    GraphicsSystem::instance_->disableAlphaBlending();
}

std::vector<unsigned char> UiGlTest::readFrame() const {
    std::vector<unsigned char> bottomUp(size_t(WIDTH) * HEIGHT * 4);
    glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<unsigned char> rows(bottomUp.size());
    const size_t stride = size_t(WIDTH) * 4;
    for (int y = 0; y < HEIGHT; ++y) {
        std::copy_n(bottomUp.begin() + long(y) * long(stride), stride,
                    rows.begin() + long(HEIGHT - 1 - y) * long(stride));
    }
    return rows;
}

}  // namespace ui_test
