#pragma once

#include <Rocket/Core.h>

#include <string>

#include "tests/core/file/TempDirectory.h"
#include "tests/graphics/GraphicsTestContext.h"
#include "ui/RocketSystem.h"

namespace ui_test {

// The UI service drawing through the real renderer on Mesa (1024 x 600 pbuffer): the texture
// service with its built-in textures, the material service, the UI camera, DejaVu Sans as
// fonts/sans.ttf under a fresh root folder.
class UiGlTest : public GraphicsTest {
protected:
    void SetUp() override;
    void TearDown() override;

    orvo::RocketSystem& ui() const { return *orvo::RocketSystem::instance_; }
    orvo::RocketRenderInterface& renderer() const { return ui().getRenderInterface(); }
    // One frame: start, the UI's update and render of all layers, no swap.
    void drawFrame();
    // The framebuffer as RGBA rows, top row first.
    std::vector<unsigned char> readFrame() const;
    // One pixel counted from the top left, as 0xRRGGBBAA.
    static uint32_t pixelAt(int x, int y) { return pixel(x, HEIGHT - 1 - y); }

    trellin_test::TempDirectory files;
};

}  // namespace ui_test
