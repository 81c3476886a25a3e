#include "lib/tablet/X11Window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cerrno>

#include "lib/tablet/CallTrace.h"
#include "lib/tablet/CloseRequest.h"
#include "lib/tablet/EventQueue.h"
#include "lib/tablet/navigator.h"
#include "lib/tablet/screen.h"

namespace tablet {
namespace {

constexpr long kEventMask = StructureNotifyMask | FocusChangeMask | PropertyChangeMask |
                            ButtonPressMask | ButtonReleaseMask | Button1MotionMask;
constexpr long kIconicState = 3;  // ICCCM WM_STATE

// The first X error while a capture runs; Xlib's own handler would end the process.
int captureError = 0;
int recordError(Display*, XErrorEvent* event) {
    if (!captureError) captureError = event->error_code;
    return 0;
}

// One colour channel of a visual's mask, scaled to 8 bits.
struct Channel {
    unsigned long mask;
    int shift = 0;
    unsigned long maximum = 0;

    explicit Channel(unsigned long channelMask) : mask(channelMask) {
        if (!mask) return;
        while (!((mask >> shift) & 1)) ++shift;
        maximum = mask >> shift;
    }
    uint8_t of(unsigned long pixel) const {
        return maximum ? static_cast<uint8_t>(((pixel & mask) >> shift) * 255 / maximum) : 0;
    }
};

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

bool X11Window::requestClose() {
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = window_;
    close.xclient.message_type = wmProtocols_;
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(wmDeleteWindow_);
    close.xclient.data.l[1] = CurrentTime;
    // With no event mask X delivers it to the window's own client, which is this connection.
    if (!XSendEvent(display_, window_, False, NoEventMask, &close)) return false;
    XSync(display_, False);
    return true;
}

bool X11Window::capture(RgbImage& image, std::string& error) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display_, window_, &attributes) ||
        attributes.map_state != IsViewable) {
        error = "the window is not shown";
        return false;
    }
    // X gives back only what lies on the screen.
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window_, attributes.root, 0, 0, &x, &y, &child);
    const Screen* screen = attributes.screen;
    if (x < 0 || y < 0 || x + attributes.width > WidthOfScreen(screen) ||
        y + attributes.height > HeightOfScreen(screen)) {
        error = "the window reaches past the screen";
        return false;
    }
    XSync(display_, False);
    captureError = 0;
    XErrorHandler previous = XSetErrorHandler(&recordError);
    XImage* pixels = XGetImage(display_, window_, 0, 0, static_cast<unsigned>(attributes.width),
                               static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    XSync(display_, False);
    XSetErrorHandler(previous);
    if (!pixels || captureError) {
        if (pixels) XDestroyImage(pixels);
        error = "X refused to read the window back (error " + std::to_string(captureError) + ")";
        return false;
    }
    const Channel red(attributes.visual->red_mask), green(attributes.visual->green_mask),
        blue(attributes.visual->blue_mask);
    image.width = attributes.width;
    image.height = attributes.height;
    image.pixels.resize(static_cast<size_t>(image.width) * image.height * 3);
    uint8_t* out = image.pixels.data();
    for (int row = 0; row < image.height; ++row) {
        for (int column = 0; column < image.width; ++column) {
            const unsigned long pixel = XGetPixel(pixels, column, row);
            *out++ = red.of(pixel);
            *out++ = green.of(pixel);
            *out++ = blue.of(pixel);
        }
    }
    XDestroyImage(pixels);
    return true;
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
                closeApplication();
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
