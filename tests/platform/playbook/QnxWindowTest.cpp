#include <GLES2/gl2.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/playbook/QnxWindow.h"

namespace {

bool haveDisplay() { return std::getenv("DISPLAY") != nullptr; }

uint32_t centrePixel(int width, int height) {
    uint8_t rgba[4] = {0, 0, 0, 0};
    glReadPixels(width / 2, height / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return (uint32_t(rgba[0]) << 24) | (uint32_t(rgba[1]) << 16) | (uint32_t(rgba[2]) << 8) |
           uint32_t(rgba[3]);
}

TEST(QnxWindowTest, OpensAtTheRequestedSizeAndSwaps) {
    if (!haveDisplay()) {
        GTEST_SKIP() << "no X display";
    }
    // Landscape, then portrait (the rotated case): one window at a time.
    const int sizes[2][2] = {{1024, 600}, {600, 1024}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(size[0]);
        QnxContext ctx;
        qnxContextInit(&ctx);
        ASSERT_EQ(qnxCreateWindow(&ctx, "Trellin", size[0], size[1], 3), 1);
        // The record holds the surface's queried size.
        EGLint width = 0;
        EGLint height = 0;
        eglQuerySurface(ctx.display, ctx.surface, EGL_WIDTH, &width);
        eglQuerySurface(ctx.display, ctx.surface, EGL_HEIGHT, &height);
        EXPECT_EQ(ctx.width, width);
        EXPECT_EQ(ctx.height, height);
        EXPECT_EQ(ctx.width, size[0]);
        EXPECT_EQ(ctx.height, size[1]);
        EXPECT_EQ(ctx.numConfigs, 1);
        EXPECT_EQ(eglGetCurrentContext(), ctx.context);
        EGLint depth = 0;
        eglGetConfigAttrib(ctx.display, ctx.config, EGL_DEPTH_SIZE, &depth);
        EXPECT_GE(depth, 16);

        for (int frame = 0; frame < 3; ++frame) {
            glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            EXPECT_EQ(centrePixel(ctx.width, ctx.height), 0xFF0000FFu);
            qnxSwap(&ctx);
            EXPECT_EQ(eglGetError(), EGL_SUCCESS);
        }
        EXPECT_EQ(qnxDestroy(&ctx), 1);
        EXPECT_EQ(eglGetCurrentContext(), EGL_NO_CONTEXT);
    }
}

}  // namespace
