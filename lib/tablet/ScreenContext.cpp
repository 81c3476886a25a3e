#include "lib/tablet/ScreenContext.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "lib/tablet/CallTrace.h"
#include "lib/tablet/EventQueue.h"

namespace tablet {
namespace {

// Every open context, in the order opened, so that windows are found by their id alone.
std::vector<ScreenContext*>& openContexts() {
    static std::vector<ScreenContext*>* contexts = new std::vector<ScreenContext*>;
    return *contexts;
}

std::string& lastOpenFailure() {
    static std::string* failure = new std::string;
    return *failure;
}

constexpr int kConnectAttempts = 5;
constexpr auto kConnectRetryDelay = std::chrono::milliseconds(50);

}  // namespace

std::unique_ptr<ScreenContext> ScreenContext::open() {
    // A busy X server can refuse a connection for a moment: try a few times before giving up.
    // With no display named at all there is nothing to wait for.
    Display* display = XOpenDisplay(nullptr);
    const char* name = std::getenv("DISPLAY");
    const bool named = name && *name;
    for (int attempt = 1; !display && named && attempt < kConnectAttempts; ++attempt) {
        std::this_thread::sleep_for(kConnectRetryDelay);
        display = XOpenDisplay(nullptr);
    }
    std::string& failure = lastOpenFailure();
    if (!display) {
        failure = named ? std::string("the X display DISPLAY=") + name +
                              " cannot be reached or refused the connection"
                        : "no X display (DISPLAY is not set)";
        return nullptr;
    }
    failure.clear();
    return std::unique_ptr<ScreenContext>(new ScreenContext(display));
}

const std::string& ScreenContext::openFailure() { return lastOpenFailure(); }

ScreenContext::ScreenContext(Display* display)
    : display_(display), serial_(CallTrace::nextSerial()) {
    openContexts().push_back(this);
    EventQueue::instance().addSource(this);
}

ScreenContext::~ScreenContext() {
    EventQueue::instance().removeSource(this);
    auto& contexts = openContexts();
    contexts.erase(std::remove(contexts.begin(), contexts.end(), this), contexts.end());
    windows_.clear();
    XCloseDisplay(display_);
}

ScreenContext* ScreenContext::find(const void* address) {
    for (ScreenContext* context : openContexts())
        if (context == address) return context;
    return nullptr;
}

X11Window* ScreenContext::findWindow(Window id) {
    for (ScreenContext* context : openContexts())
        for (auto& window : context->windows_)
            if (window->id() == id) return window.get();
    return nullptr;
}

X11Window* ScreenContext::firstWindow() {
    for (ScreenContext* context : openContexts())
        if (!context->windows_.empty()) return context->windows_.front().get();
    return nullptr;
}

X11Window* ScreenContext::createWindow() {
    std::unique_ptr<X11Window> window = X11Window::create(display_);
    if (!window) return nullptr;
    windows_.push_back(std::move(window));
    return windows_.back().get();
}

bool ScreenContext::destroyWindow(Window id) {
    for (ScreenContext* context : openContexts()) {
        auto& windows = context->windows_;
        auto it = std::find_if(windows.begin(), windows.end(),
                               [id](const std::unique_ptr<X11Window>& w) { return w->id() == id; });
        if (it != windows.end()) {
            windows.erase(it);
            return true;
        }
    }
    return false;
}

void ScreenContext::poll(EventQueue& queue) {
    // XPending reads what has arrived and never waits.
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        for (auto& window : windows_)
            if (window->id() == event.xany.window) window->handle(event, eventsRequested_, queue);
    }
}

}  // namespace tablet
