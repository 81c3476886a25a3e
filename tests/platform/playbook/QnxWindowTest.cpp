#include <GLES2/gl2.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "platform/playbook/QnxWindow.h"
#include "tests/platform/playbook/WorkingDirectory.h"

namespace {

bool haveDisplay() { return std::getenv("DISPLAY") != nullptr; }

uint32_t centrePixel(int width, int height) {
    uint8_t rgba[4] = {0, 0, 0, 0};
    glReadPixels(width / 2, height / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return (uint32_t(rgba[0]) << 24) | (uint32_t(rgba[1]) << 16) | (uint32_t(rgba[2]) << 8) |
           uint32_t(rgba[3]);
}

// The traced calls of the tablet layer, with the handle serials renumbered from 1 in order of
// first appearance, so that a run reads the same whatever was made before it.
std::vector<std::string> tracedCalls(const std::string& path) {
    std::vector<std::string> lines;
    std::map<std::string, int> serials;
    const std::regex serial("#([0-9]+)");
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::string renumbered;
        auto last = line.cbegin();
        for (std::sregex_iterator it(line.begin(), line.end(), serial), end; it != end; ++it) {
            const int next = static_cast<int>(serials.size()) + 1;
            const int number = serials.emplace((*it)[1].str(), next).first->second;
            renumbered.append(last, (*it)[0].first).append("#" + std::to_string(number));
            last = (*it)[0].second;
        }
        lines.push_back(renumbered.append(last, line.cend()));
    }
    return lines;
}

TEST(QnxWindowTest, OpensAtTheRequestedSizeWithItsWindowPropertiesAndSwaps) {
    if (!haveDisplay()) {
        GTEST_SKIP() << "no X display";
    }
    WorkingDirectory here;
    ASSERT_FALSE(here.path().empty());
    // Landscape, then portrait (the rotated case): one window at a time.
    const struct {
        int width;
        int height;
        const char* rotation;
        const char* size;
    } cases[] = {{1024, 600, "{0}", "{1024, 600}"}, {600, 1024, "{270}", "{600, 1024}"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        const std::string tracePath = here.path() + "/trace-" + std::to_string(c.width) + ".txt";
        setenv("TRELLIN_TABLET_TRACE", tracePath.c_str(), 1);
        QnxContext ctx;
        qnxContextInit(&ctx);
        ASSERT_EQ(qnxCreateWindow(&ctx, "Trellin", c.width, c.height, 3), 1);
        // The record holds the surface's queried size.
        EGLint width = 0;
        EGLint height = 0;
        eglQuerySurface(ctx.display, ctx.surface, EGL_WIDTH, &width);
        eglQuerySurface(ctx.display, ctx.surface, EGL_HEIGHT, &height);
        EXPECT_EQ(ctx.width, width);
        EXPECT_EQ(ctx.height, height);
        EXPECT_EQ(ctx.width, c.width);
        EXPECT_EQ(ctx.height, c.height);
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
        unsetenv("TRELLIN_TABLET_TRACE");

        // Format RGBX8888, usage OpenGL ES 2 with rotation, the rotation, then both sizes.
        const std::string property = "screen_set_window_property_iv(win#2, ";
        const std::vector<std::string> expected = {
            "screen_create_context(ctx#1, 0) = 0",
            "screen_create_window(win#2, ctx#1) = 0",
            "screen_create_window_group(win#2, \"Trellin\") = 0",
            property + "14, {8}) = 0",
            property + "48, {544}) = 0",
            property + "38, " + c.rotation + ") = 0",
            property + "42, " + c.size + ") = 0",
            property + "5, " + c.size + ") = 0",
            "screen_create_window_buffers(win#2, 2) = 0",
            "screen_request_events(ctx#1) = 0",
            "navigator_request_events(0) = 0",
            "screen_destroy_window(win#2) = 0",
            "screen_destroy_context(ctx#1) = 0",
        };
        EXPECT_EQ(tracedCalls(tracePath), expected);
    }
}

}  // namespace
