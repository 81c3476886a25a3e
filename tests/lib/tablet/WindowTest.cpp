// GoogleTest first: Xlib defines None, which GoogleTest uses as a name.
#include <gtest/gtest.h>

#include <EGL/egl.h>
#include <GLES2/gl2.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "lib/tablet/feed.h"
#include "tests/lib/tablet/TabletEvents.h"

namespace {

using namespace std::chrono_literals;

// The window as the game makes it: the screen calls in the game's order, with its values.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
        tablet_feed_reset();
        observer_ = XOpenDisplay(nullptr);
        ASSERT_NE(observer_, nullptr);
    }

    void TearDown() override {
        if (window_) {
            EXPECT_EQ(screen_destroy_window(window_), 0);
        }
        if (context_) {
            EXPECT_EQ(screen_destroy_context(context_), 0);
        }
        if (observer_) XCloseDisplay(observer_);
    }

    void createWindow(int width, int height) {
        ASSERT_EQ(screen_create_context(&context_, SCREEN_APPLICATION_CONTEXT), 0);
        ASSERT_EQ(screen_create_window(&window_, context_), 0);
        ASSERT_EQ(screen_create_window_group(window_, "Trellin"), 0);
        const int format = SCREEN_FORMAT_RGBX8888;
        const int usage = SCREEN_USAGE_OPENGL_ES2 | SCREEN_USAGE_ROTATION;
        const int rotation = height > width ? 270 : 0;
        const int size[2] = {width, height};
        ASSERT_EQ(screen_set_window_property_iv(window_, SCREEN_PROPERTY_FORMAT, &format), 0);
        ASSERT_EQ(screen_set_window_property_iv(window_, SCREEN_PROPERTY_USAGE, &usage), 0);
        ASSERT_EQ(screen_set_window_property_iv(window_, SCREEN_PROPERTY_ROTATION, &rotation), 0);
        ASSERT_EQ(screen_set_window_property_iv(window_, SCREEN_PROPERTY_SOURCE_SIZE, size), 0);
        ASSERT_EQ(screen_set_window_property_iv(window_, SCREEN_PROPERTY_BUFFER_SIZE, size), 0);
        ASSERT_EQ(screen_create_window_buffers(window_, 2), 0);
        ASSERT_EQ(screen_request_events(context_), 0);
        ASSERT_EQ(navigator_request_events(0), 0);
        ASSERT_TRUE(waitUntilViewable());
    }

    bool waitUntilViewable() {
        for (auto deadline = std::chrono::steady_clock::now() + 3s;
             std::chrono::steady_clock::now() < deadline;) {
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(observer_, window_, &attributes) &&
                attributes.map_state == IsViewable)
                return true;
            std::this_thread::sleep_for(5ms);
        }
        return false;
    }

    // Drains the queue until count events came or the time is up.
    std::vector<SeenEvent> collect(size_t count, std::chrono::milliseconds timeout = 2000ms) {
        std::vector<SeenEvent> seen;
        auto deadline = std::chrono::steady_clock::now() + timeout;
        while (seen.size() < count && std::chrono::steady_clock::now() < deadline) {
            bps_event_t* event = nullptr;
            if (bps_get_event(&event, 0) == BPS_SUCCESS && event)
                seen.push_back(SeenEvent::of(event));
            else
                std::this_thread::sleep_for(2ms);
        }
        return seen;
    }

    // Lets the server deliver what the observer sent and checks that nothing was queued.
    std::vector<SeenEvent> collectQuietly() {
        XSync(observer_, False);
        return collect(1, 200ms);
    }

    screen_context_t context_ = nullptr;
    screen_window_t window_ = 0;
    Display* observer_ = nullptr;
};

TEST_F(WindowTest, FixedSizeWindowTakesAnEglSurfaceAndSwaps) {
    createWindow(1024, 600);
    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(observer_, window_, &attributes));
    EXPECT_EQ(attributes.width, 1024);
    EXPECT_EQ(attributes.height, 600);
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(observer_, window_, &hints, &supplied));
    EXPECT_TRUE(hints.flags & PMinSize);
    EXPECT_TRUE(hints.flags & PMaxSize);
    EXPECT_EQ(hints.min_width, 1024);
    EXPECT_EQ(hints.max_width, 1024);
    EXPECT_EQ(hints.min_height, 600);
    EXPECT_EQ(hints.max_height, 600);
    char* name = nullptr;
    ASSERT_TRUE(XFetchName(observer_, window_, &name));
    EXPECT_STREQ(name, "Trellin");
    XFree(name);

    EGLDisplay display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    ASSERT_NE(display, EGL_NO_DISPLAY);
    ASSERT_TRUE(eglInitialize(display, nullptr, nullptr));
    ASSERT_TRUE(eglBindAPI(EGL_OPENGL_ES_API));
    const EGLint configAttributes[] = {EGL_RED_SIZE,
                                       8,
                                       EGL_GREEN_SIZE,
                                       8,
                                       EGL_BLUE_SIZE,
                                       8,
                                       EGL_DEPTH_SIZE,
                                       16,
                                       EGL_SURFACE_TYPE,
                                       EGL_WINDOW_BIT,
                                       EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_ES2_BIT,
                                       EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    ASSERT_TRUE(eglChooseConfig(display, configAttributes, &config, 1, &count));
    ASSERT_EQ(count, 1);
    const EGLint contextAttributes[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    ASSERT_NE(context, EGL_NO_CONTEXT);
    EGLSurface surface = eglCreateWindowSurface(display, config, window_, nullptr);
    ASSERT_NE(surface, EGL_NO_SURFACE) << std::hex << eglGetError();
    ASSERT_TRUE(eglMakeCurrent(display, surface, surface, context));
    EXPECT_TRUE(eglSwapInterval(display, 1));
    EGLint width = 0, height = 0;
    EXPECT_TRUE(eglQuerySurface(display, surface, EGL_WIDTH, &width));
    EXPECT_TRUE(eglQuerySurface(display, surface, EGL_HEIGHT, &height));
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 600);

    glViewport(0, 0, 1024, 600);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    unsigned char pixel[4] = {0, 0, 0, 0};
    glReadPixels(512, 300, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 255);
    EXPECT_EQ(pixel[1], 0);
    for (int frame = 0; frame < 3; ++frame) EXPECT_TRUE(eglSwapBuffers(display, surface));

    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroySurface(display, surface);
    eglDestroyContext(display, context);
    // The display stays initialised: terminating it unloads Mesa's driver, whose one-time
    // allocations would then show as leaks.
    // Mapping the window and its first focus were the initial state: nothing to report.
    EXPECT_TRUE(collectQuietly().empty());
}

TEST_F(WindowTest, BadScreenCallsFailAndStaleHandlesAreTracedAsSuch) {
    createWindow(600, 1024);
    const std::string trace =
        std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".txt";
    std::remove(trace.c_str());
    setenv("TRELLIN_TABLET_TRACE", trace.c_str(), 1);
    const int zero[2] = {0, 600};
    const int odd = 45;
    EXPECT_EQ(screen_set_window_property_iv(window_, SCREEN_PROPERTY_BUFFER_SIZE, zero), -1);
    EXPECT_EQ(screen_set_window_property_iv(window_, SCREEN_PROPERTY_SOURCE_SIZE, zero), -1);
    EXPECT_EQ(screen_set_window_property_iv(window_, SCREEN_PROPERTY_ROTATION, &odd), -1);
    EXPECT_EQ(screen_set_window_property_iv(window_, 9999, &odd), -1);
    EXPECT_EQ(screen_set_window_property_iv(window_, SCREEN_PROPERTY_FORMAT, nullptr), -1);
    EXPECT_EQ(screen_create_window_buffers(window_, 2), -1);  // once only
    EXPECT_EQ(screen_create_window_group(window_, nullptr), -1);

    ASSERT_EQ(screen_destroy_window(window_), 0);
    EXPECT_EQ(screen_destroy_window(window_), -1);
    EXPECT_EQ(screen_create_window_buffers(window_, 2), -1);
    window_ = 0;
    ASSERT_EQ(screen_destroy_context(context_), 0);
    EXPECT_EQ(screen_destroy_context(context_), -1);
    EXPECT_EQ(screen_request_events(context_), -1);
    screen_window_t window = 0;
    EXPECT_EQ(screen_create_window(&window, context_), -1);
    context_ = nullptr;
    unsetenv("TRELLIN_TABLET_TRACE");

    // Serials depend on what the process made before: only their kind is compared.
    std::vector<std::string> lines;
    std::ifstream in(trace);
    for (std::string line; std::getline(in, line);)
        lines.push_back(std::regex_replace(line, std::regex("#[0-9]+"), "#N"));
    const std::string property = "screen_set_window_property_iv(win#N, ";
    EXPECT_EQ(lines, (std::vector<std::string>{
                         property + "5, {0, 600}) = -1",
                         property + "42, {0, 600}) = -1",
                         property + "38, {45}) = -1",
                         property + "9999, {45}) = -1",
                         property + "14, NULL) = -1",
                         "screen_create_window_buffers(win#N, 2) = -1",
                         "screen_create_window_group(win#N, NULL) = -1",
                         "screen_destroy_window(win#N) = 0",
                         "screen_destroy_window(win#?) = -1",
                         "screen_create_window_buffers(win#?, 2) = -1",
                         "screen_destroy_context(ctx#N) = 0",
                         "screen_destroy_context(ctx#?) = -1",
                         "screen_request_events(ctx#?) = -1",
                         "screen_create_window(NULL, ctx#?) = -1",
                     }));
}

TEST_F(WindowTest, AScreenshotOfAWindowPastTheScreenIsReportedAndSavesNothing) {
    createWindow(600, 1024);  // taller than the 1024 x 600 display
    std::ofstream("tall.script") << "0 screenshot tall.png\n0 navigator 2\n";
    std::remove("tall.png");
    setenv("TRELLIN_TABLET_SCRIPT", "tall.script", 1);
    tablet_feed_reset();
    ::testing::internal::CaptureStderr();
    std::vector<SeenEvent> seen = drainEvents();
    std::string errors = ::testing::internal::GetCapturedStderr();
    unsetenv("TRELLIN_TABLET_SCRIPT");
    tablet_feed_reset();
    EXPECT_EQ(seen, std::vector<SeenEvent>{SeenEvent::plain(navigator_get_domain(), 2)});
    EXPECT_NE(errors.find("tall.script:1: cannot save the window as tall.png: the window reaches "
                          "past the screen"),
              std::string::npos)
        << errors;
    EXPECT_FALSE(std::ifstream("tall.png"));
}

TEST_F(WindowTest, Button1DragBecomesTouchMoveAndReleaseOfTouchZero) {
    createWindow(1024, 600);
    int rootX = 0, rootY = 0;
    Window child = 0;
    ASSERT_TRUE(XTranslateCoordinates(observer_, window_, DefaultRootWindow(observer_), 0, 0,
                                      &rootX, &rootY, &child));
    int screen = DefaultScreen(observer_);
    // Motion without the button and other buttons are no touch.
    XTestFakeMotionEvent(observer_, screen, rootX + 5, rootY + 5, 0);
    XTestFakeButtonEvent(observer_, 3, True, 0);
    XTestFakeButtonEvent(observer_, 3, False, 0);
    XTestFakeMotionEvent(observer_, screen, rootX + 100, rootY + 200, 0);
    XTestFakeButtonEvent(observer_, 1, True, 0);
    XTestFakeMotionEvent(observer_, screen, rootX + 300, rootY + 250, 0);
    XTestFakeMotionEvent(observer_, screen, rootX + 1023, rootY + 599, 0);
    XTestFakeButtonEvent(observer_, 1, False, 0);
    XTestFakeMotionEvent(observer_, screen, rootX + 10, rootY + 10, 0);
    XSync(observer_, False);

    std::vector<SeenEvent> expected = {
        SeenEvent::touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 100, 200),
        SeenEvent::touch(SCREEN_EVENT_MTOUCH_MOVE, 0, 300, 250),
        SeenEvent::touch(SCREEN_EVENT_MTOUCH_MOVE, 0, 1023, 599),
        SeenEvent::touch(SCREEN_EVENT_MTOUCH_RELEASE, 0, 1023, 599),
    };
    EXPECT_EQ(collect(expected.size()), expected);
    EXPECT_TRUE(collectQuietly().empty());
}

// The input service sees only what a drain leaves behind: a press and its release that reach
// the window together (xdotool's click, a touchpad's tap) go out in successive drains, and what
// follows them waits its turn behind them.
TEST_F(WindowTest, AQuickClickTakesOneDrainForItsTouchAndTheNextForItsRelease) {
    createWindow(1024, 600);
    const auto touch = [](int type, int x = 100, int y = 200) {
        return SeenEvent::touch(type, 0, x, y);
    };
    const std::vector<SeenEvent> click = {touch(SCREEN_EVENT_MTOUCH_TOUCH)},
                                 release = {touch(SCREEN_EVENT_MTOUCH_RELEASE)};
    const std::string window = std::to_string(window_);
    const struct {
        std::string clicks;
        std::vector<std::vector<SeenEvent>> drains;
    } cases[] = {
        {"click 1", {click, release}},
        {"click --repeat 2 --delay 1 1", {click, release, click, release}},
        // A click, then at once a second one that drags: the drag waits behind the first
        // click's release.
        {"click 1 mousedown 1 mousemove --window " + window + " 300 250 mouseup 1",
         {click,
          release,
          {touch(SCREEN_EVENT_MTOUCH_TOUCH), touch(SCREEN_EVENT_MTOUCH_MOVE, 300, 250)},
          {touch(SCREEN_EVENT_MTOUCH_RELEASE, 300, 250)}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clicks);
        const std::string command = "xdotool mousemove --window " + window + " 100 200 " + c.clicks;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        // Everything the clicks sent is on the window's connection before the first drain.
        XSync(observer_, False);
        std::this_thread::sleep_for(200ms);
        std::vector<std::vector<SeenEvent>> drains;
        for (size_t i = 0; i < c.drains.size() + 1; ++i) drains.push_back(drainEvents());
        std::vector<std::vector<SeenEvent>> expected = c.drains;
        expected.push_back({});
        EXPECT_EQ(drains, expected);
    }
}

TEST_F(WindowTest, LeavingAndRegainingTheForegroundBecomesWindowStates) {
    createWindow(1024, 600);
    Window other =
        XCreateSimpleWindow(observer_, DefaultRootWindow(observer_), 0, 0, 10, 10, 0, 0, 0);
    XMapWindow(observer_, other);
    XSync(observer_, False);
    std::this_thread::sleep_for(50ms);
    auto state = SeenEvent::windowStateEvent;

    // Focus taken from the window and given back; getting it the first time is no change.
    XSetInputFocus(observer_, window_, RevertToNone, CurrentTime);
    EXPECT_TRUE(collectQuietly().empty());
    XSetInputFocus(observer_, other, RevertToNone, CurrentTime);
    XSync(observer_, False);
    EXPECT_EQ(collect(1), std::vector<SeenEvent>{state(NAVIGATOR_WINDOW_THUMBNAIL)});
    XSetInputFocus(observer_, window_, RevertToNone, CurrentTime);
    XSync(observer_, False);
    EXPECT_EQ(collect(1), std::vector<SeenEvent>{state(NAVIGATOR_WINDOW_FULLSCREEN)});

    // Unmapped (which also loses the focus) and mapped again, then focused again.
    XUnmapWindow(observer_, window_);
    XSync(observer_, False);
    EXPECT_EQ(collect(1), std::vector<SeenEvent>{state(NAVIGATOR_WINDOW_INVISIBLE)});
    XMapWindow(observer_, window_);
    ASSERT_TRUE(waitUntilViewable());
    EXPECT_EQ(collect(1), std::vector<SeenEvent>{state(NAVIGATOR_WINDOW_THUMBNAIL)});
    XSetInputFocus(observer_, window_, RevertToNone, CurrentTime);
    XSync(observer_, False);
    EXPECT_EQ(collect(1), std::vector<SeenEvent>{state(NAVIGATOR_WINDOW_FULLSCREEN)});

    // Iconified by a window manager (ICCCM WM_STATE) and restored.
    Atom wmState = XInternAtom(observer_, "WM_STATE", False);
    long iconic[2] = {3, 0};
    long normal[2] = {1, 0};
    XChangeProperty(observer_, window_, wmState, wmState, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(iconic), 2);
    XSync(observer_, False);
    EXPECT_EQ(collect(1), std::vector<SeenEvent>{state(NAVIGATOR_WINDOW_INVISIBLE)});
    XChangeProperty(observer_, window_, wmState, wmState, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(normal), 2);
    XSync(observer_, False);
    EXPECT_EQ(collect(1), std::vector<SeenEvent>{state(NAVIGATOR_WINDOW_FULLSCREEN)});
    // The same state again is no change.
    XChangeProperty(observer_, window_, wmState, wmState, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(normal), 2);
    EXPECT_TRUE(collectQuietly().empty());
    XDestroyWindow(observer_, other);
}

TEST_F(WindowTest, ClosingTheWindowFromTheDesktopEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            createWindow(1024, 600);
            XEvent close{};
            close.xclient.type = ClientMessage;
            close.xclient.window = window_;
            close.xclient.message_type = XInternAtom(observer_, "WM_PROTOCOLS", False);
            close.xclient.format = 32;
            close.xclient.data.l[0] =
                static_cast<long>(XInternAtom(observer_, "WM_DELETE_WINDOW", False));
            close.xclient.data.l[1] = CurrentTime;
            XSendEvent(observer_, window_, False, NoEventMask, &close);
            XSync(observer_, False);
            collect(1);
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
