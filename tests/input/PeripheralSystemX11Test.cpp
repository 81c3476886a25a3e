#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "input/ControlNames.h"
#include "input/PeripheralSystem.h"
#include "lib/tablet/feed.h"
#include "lib/tablet/screen.h"

namespace {

using namespace orvo;

constexpr HashString GROUP("GROUP");
constexpr HashString DOWN("DOWN");
constexpr HashString X("X");
constexpr HashString Y("Y");

// The screen window of the game, and a second X connection that plays the user: its pointer
// events go through the X server to the window like a real mouse's.
class PeripheralSystemX11Test : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "no X display";
        }
        user = XOpenDisplay(nullptr);
        if (user == nullptr) {
            GTEST_SKIP() << "the X display cannot be opened";
        }
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(user, &event, &error, &major, &minor)) {
            GTEST_SKIP() << "no XTest extension";
        }
        tablet_feed_reset();
        ASSERT_EQ(screen_create_context(&context, SCREEN_APPLICATION_CONTEXT), 0);
        ASSERT_EQ(screen_create_window(&window, context), 0);
        const int size[2] = {1024, 600};
        ASSERT_EQ(screen_set_window_property_iv(window, SCREEN_PROPERTY_BUFFER_SIZE, size), 0);
        ASSERT_EQ(screen_create_window_buffers(window, 2), 0);
        ASSERT_EQ(screen_request_events(context), 0);

        ActionGroup group(GROUP);
        group.addInputAction(PeripheralMap(DOWN, Controller::MultiPointer, POINTER_1_DOWN));
        group.addInputAction(PeripheralMap(X, Controller::MultiPointer, POINTER_1_X));
        group.addInputAction(PeripheralMap(Y, Controller::MultiPointer, POINTER_1_Y));
        ASSERT_TRUE(input.addActionGroup(group));

        ASSERT_TRUE(waitFor([this] {
            XWindowAttributes attributes;
            return XGetWindowAttributes(user, window, &attributes) &&
                   attributes.map_state == IsViewable;
        })) << "the window was never shown";
    }

    void TearDown() override {
        if (buttonHeld) {
            button(false);
        }
        if (window != 0) {
            screen_destroy_window(window);
        }
        if (context != nullptr) {
            screen_destroy_context(context);
        }
        if (user != nullptr) {
            XCloseDisplay(user);
        }
        tablet_feed_reset();
    }

    // Updates the input service until the condition holds, for at most 3 s.
    bool waitFor(const std::function<bool()>& condition) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (std::chrono::steady_clock::now() < end) {
            input.update();
            if (condition()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    // Places the pointer at a point of the window, given in window pixels.
    void pointerTo(int x, int y) {
        int rootX = 0, rootY = 0;
        Window child = 0;
        XTranslateCoordinates(user, window, DefaultRootWindow(user), x, y, &rootX, &rootY, &child);
        XTestFakeMotionEvent(user, -1, rootX, rootY, CurrentTime);
        XSync(user, False);
    }

    void button(bool press) {
        XTestFakeButtonEvent(user, 1, press ? True : False, CurrentTime);
        XSync(user, False);
        buttonHeld = press;
    }

    const ActionGroup& group() const { return input.getActionGroup(GROUP, 0); }

    Display* user = nullptr;
    screen_context_t context = nullptr;
    screen_window_t window = 0;
    bool buttonHeld = false;
    PeripheralSystem input;
};

TEST_F(PeripheralSystemX11Test, ButtonOneDragIsTouchMoveAndReleaseOfPointerOne) {
    pointerTo(100, 200);
    button(true);
    ASSERT_TRUE(waitFor([this] { return group().hasInputChangedToOn(DOWN); }));
    EXPECT_EQ(group().getInputValue(X), 100.0f);
    EXPECT_EQ(group().getInputValue(Y), 200.0f);

    pointerTo(300, 400);
    ASSERT_TRUE(waitFor([this] { return group().getInputValue(X) == 300.0f; }));
    EXPECT_EQ(group().getInputValue(Y), 400.0f);
    EXPECT_TRUE(group().isInputOn(DOWN));

    button(false);
    ASSERT_TRUE(waitFor([this] { return group().hasInputChangedToOff(DOWN); }));
    EXPECT_EQ(group().getInputValue(X), 300.0f);
    EXPECT_EQ(group().getInputValue(Y), 400.0f);
}

}  // namespace
