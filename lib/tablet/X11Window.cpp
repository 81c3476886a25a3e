#include "lib/tablet/X11Window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <cstdlib>

#include "lib/tablet/CallTrace.h"
#include "lib/tablet/EventQueue.h"
#include "lib/tablet/navigator.h"
#include "lib/tablet/screen.h"

namespace tablet {
namespace {

constexpr long kEventMask = StructureNotifyMask | FocusChangeMask | PropertyChangeMask |
                            ButtonPressMask | ButtonReleaseMask | Button1MotionMask;
constexpr long kIconicState = 3;  // ICCCM WM_STATE

// Focus moving with the pointer or between our own subwindows is no change of foreground.
bool isForegroundFocusChange(const XFocusChangeEvent& focus) {
    return focus.mode == NotifyNormal && focus.detail != NotifyPointer &&
           focus.detail != NotifyInferior;
}

}  // namespace

std::unique_ptr<X11Window> X11Window::create(Display* display) {
    int screen = DefaultScreen(display);
    int width = DisplayWidth(display, screen);
    int height = DisplayHeight(display, screen);
    XSetWindowAttributes attributes{};
    attributes.event_mask = kEventMask;
    Window window =
        XCreateWindow(display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                      CWEventMask, &attributes);
    if (!window) return nullptr;
    return std::unique_ptr<X11Window>(new X11Window(display, window, width, height));
}

X11Window::X11Window(Display* display, Window window, int width, int height)
    : display_(display),
      window_(window),
      serial_(CallTrace::nextSerial()),
      width_(width),
      height_(height),
      reportedState_(NAVIGATOR_WINDOW_FULLSCREEN),
      wmProtocols_(XInternAtom(display, "WM_PROTOCOLS", False)),
      wmDeleteWindow_(XInternAtom(display, "WM_DELETE_WINDOW", False)),
      wmState_(XInternAtom(display, "WM_STATE", False)) {
    XSetWMProtocols(display_, window_, &wmDeleteWindow_, 1);
    applySize();
}

X11Window::~X11Window() {
    XDestroyWindow(display_, window_);
    XFlush(display_);
}

int X11Window::setName(const char* name) {
    if (!name) return EINVAL;
    XStoreName(display_, window_, name);
    XClassHint hint{};
    hint.res_name = const_cast<char*>(name);
    hint.res_class = const_cast<char*>(name);
    XSetClassHint(display_, window_, &hint);
    return 0;
}

int X11Window::setProperty(int property, const int* value) {
    if (!value) return EINVAL;
    switch (property) {
        case SCREEN_PROPERTY_FORMAT:
        case SCREEN_PROPERTY_USAGE:
            return 0;  // the visual is the display's; EGL picks the matching config
        case SCREEN_PROPERTY_ROTATION:
            return value[0] % 90 == 0 && value[0] >= 0 && value[0] < 360 ? 0 : EINVAL;
        case SCREEN_PROPERTY_SOURCE_SIZE:
            return value[0] > 0 && value[1] > 0 ? 0 : EINVAL;
        case SCREEN_PROPERTY_BUFFER_SIZE:
            if (value[0] <= 0 || value[1] <= 0) return EINVAL;
            width_ = value[0];
            height_ = value[1];
            applySize();
            return 0;
        default:
            return EINVAL;
    }
}

int X11Window::createBuffers(int count) {
    if (count < 1 || buffersCreated_) return EINVAL;
    buffersCreated_ = true;
    XMapWindow(display_, window_);
    XFlush(display_);
    return 0;
}

void X11Window::applySize() {
    XResizeWindow(display_, window_, static_cast<unsigned>(width_), static_cast<unsigned>(height_));
    XSizeHints hints{};
    hints.flags = PSize | PMinSize | PMaxSize;
    hints.width = hints.min_width = hints.max_width = width_;
    hints.height = hints.min_height = hints.max_height = height_;
    XSetWMNormalHints(display_, window_, &hints);
}

void X11Window::handle(const XEvent& event, bool screenEvents, EventQueue& queue) {
    switch (event.type) {
        case ButtonPress:
        case ButtonRelease: {
            if (event.xbutton.button != Button1) return;
            bool press = event.type == ButtonPress;
            if (press == button1Held_) return;
            button1Held_ = press;
            if (screenEvents)
                queue.push(
                    makeScreenEvent(press ? SCREEN_EVENT_MTOUCH_TOUCH : SCREEN_EVENT_MTOUCH_RELEASE,
                                    0, event.xbutton.x, event.xbutton.y));
            return;
        }
        case MotionNotify:
            if (button1Held_ && screenEvents)
                queue.push(
                    makeScreenEvent(SCREEN_EVENT_MTOUCH_MOVE, 0, event.xmotion.x, event.xmotion.y));
            return;
        case MapNotify:
        case UnmapNotify:
            mapped_ = event.type == MapNotify;
            break;
        case FocusIn:
        case FocusOut:
            if (!isForegroundFocusChange(event.xfocus)) return;
            focused_ = event.type == FocusIn;
            break;
        case PropertyNotify:
            if (event.xproperty.atom != wmState_) return;
            readWmState();
            break;
        case ClientMessage:
            // The desktop closing the window ends the application, as the tablet does.
            if (event.xclient.message_type == wmProtocols_ && event.xclient.format == 32 &&
                static_cast<Atom>(event.xclient.data.l[0]) == wmDeleteWindow_)
                std::exit(0);
            return;
        default:
            return;
    }
    reportState(queue);
}

void X11Window::readWmState() {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window_, wmState_, 0, 2, False, wmState_, &type, &format,
                           &count, &remaining, &data) != Success)
        return;
    // A removed property (window withdrawn) is no iconic state.
    iconified_ = data && format == 32 && count >= 1 &&
                 reinterpret_cast<const long*>(data)[0] == kIconicState;
    if (data) XFree(data);
}

void X11Window::reportState(EventQueue& queue) {
    int state = NAVIGATOR_WINDOW_FULLSCREEN;
    if (!mapped_ || iconified_)
        state = NAVIGATOR_WINDOW_INVISIBLE;
    else if (!focused_)
        state = NAVIGATOR_WINDOW_THUMBNAIL;
    if (state == reportedState_) return;
    reportedState_ = state;
    if (queue.navigatorEventsRequested()) queue.push(makeWindowStateEvent(state));
}

}  // namespace tablet
