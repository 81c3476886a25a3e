// A screen context: one connection to the X display and the windows made in it. It feeds the
// event queue from X without ever blocking.
#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <vector>

#include "lib/tablet/EventSource.h"
#include "lib/tablet/X11Window.h"

namespace tablet {

class ScreenContext : public EventSource {
public:
    // nullptr when the display cannot be opened.
    static std::unique_ptr<ScreenContext> open();
    ~ScreenContext() override;
    ScreenContext(const ScreenContext&) = delete;
    ScreenContext& operator=(const ScreenContext&) = delete;

    // Searched over every open context.
    static X11Window* findWindow(Window id);

    // false when no live context holds the window.
    static bool destroyWindow(Window id);

    X11Window* createWindow();
    void requestEvents() { eventsRequested_ = true; }

    void poll(EventQueue& queue) override;

private:
    explicit ScreenContext(Display* display);

    Display* display_;
    bool eventsRequested_ = false;
    std::vector<std::unique_ptr<X11Window>> windows_;
};

}  // namespace tablet
