#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/playbook/QnxWindow.h"

namespace {

// Run with EGL_PLATFORM=surfaceless: the window exists, but EGL offers no window config.
TEST(QnxWindowNoConfigTest, ConfigListMatchingNothingIsAFailure) {
    if (std::getenv("DISPLAY") == nullptr) {
        GTEST_SKIP() << "no X display";
    }
    QnxContext ctx;
    qnxContextInit(&ctx);
    EXPECT_EQ(qnxCreateWindow(&ctx, "Trellin", 1024, 600, 3), 0);
    EXPECT_EQ(ctx.numConfigs, 0);
    EXPECT_EQ(ctx.context, EGL_NO_CONTEXT);
    // The display stays initialised.
    EXPECT_NE(eglQueryString(ctx.display, EGL_VERSION), nullptr);
    eglTerminate(ctx.display);
}

}  // namespace
