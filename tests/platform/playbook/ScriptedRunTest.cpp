#include <GLES2/gl2.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "lib/tablet/bps.h"
#include "lib/tablet/feed.h"
#include "platform/playbook/QnxWindow.h"
#include "tests/lib/tablet/PngFile.h"
#include "tests/platform/playbook/WorkingDirectory.h"

namespace {

// Every bps_get_event call of one drain, as the input service makes them.
void drain() {
    bps_event_t* event = nullptr;
    while (bps_get_event(&event, 0) == BPS_SUCCESS && event != nullptr) {
    }
}

// A frame that shows which way up it is: green above red on the left half, blue on the right.
void drawKnownFrame(const QnxContext& ctx) {
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, ctx.width / 2, ctx.height / 2);  // from the bottom left
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(0, ctx.height / 2, ctx.width / 2, ctx.height - ctx.height / 2);
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

// A run driven by a script, as an end-to-end test drives the game: it draws a frame, saves the
// window with the screenshot line and ends with the close line, through the exit handlers.
TEST(ScriptedRunTest, SavesTheShownFrameAndClosesTheWindowThroughTheExitHandlers) {
    if (std::getenv("DISPLAY") == nullptr) {
        GTEST_SKIP() << "no X display";
    }
    WorkingDirectory here;
    ASSERT_FALSE(here.path().empty());
    std::ofstream("run.script") << "# drain 0 comes before the first frame\n"
                                   "2 screenshot frame.png\n"
                                   "3 close\n"
                                   "3 touch 0 10 10\n";
    // The run is a child process: a forked copy of this one, in the same folder.
    EXPECT_EXIT(
        {
            setenv("TRELLIN_TABLET_SCRIPT", "run.script", 1);
            tablet_feed_reset();
            std::atexit([] { std::fputs("exit handler ran\n", stderr); });
            QnxContext ctx;
            qnxContextInit(&ctx);
            if (qnxCreateWindow(&ctx, "Trellin", 1024, 600, 3) != 1) {
                std::fputs("no window\n", stderr);
                std::_Exit(2);
            }
            drain();  // the input bindings during the data load
            for (int frame = 1; frame <= 3; ++frame) {
                drain();
                if (frame == 1) {
                    drawKnownFrame(ctx);
                } else {
                    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);  // drawn after the screenshot
                    glClear(GL_COLOR_BUFFER_BIT);
                }
                qnxSwap(&ctx);
            }
            std::fputs("the close line did not end the run\n", stderr);
            std::_Exit(3);
        },
        ::testing::ExitedWithCode(0), "^exit handler ran\n$");

    tablet::RgbImage frame;
    ASSERT_TRUE(readPng("frame.png", frame));
    ASSERT_EQ(frame.width, 1024);
    ASSERT_EQ(frame.height, 600);
    // Rows are stored top first: green at the top left, red at the bottom left, blue on the right.
    EXPECT_EQ(pixelAt(frame, 0, 0), 0x00FF00u);
    EXPECT_EQ(pixelAt(frame, 511, 299), 0x00FF00u);
    EXPECT_EQ(pixelAt(frame, 0, 300), 0xFF0000u);
    EXPECT_EQ(pixelAt(frame, 511, 599), 0xFF0000u);
    EXPECT_EQ(pixelAt(frame, 512, 0), 0x0000FFu);
    EXPECT_EQ(pixelAt(frame, 1023, 599), 0x0000FFu);
}

}  // namespace
