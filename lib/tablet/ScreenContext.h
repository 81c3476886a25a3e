// A screen context: one connection to the X display and the windows made in it. It feeds the
// event queue from X without ever blocking. The open contexts are the one registry behind the
// screen calls' handles.
#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <string>
#include <vector>

#include "lib/tablet/EventSource.h"
#include "lib/tablet/X11Window.h"

namespace tablet {

class ScreenContext : public EventSource {
public:
    // nullptr when the display cannot be opened, with the reason in openFailure(). Counts as
    // open until destroyed.
    static std::unique_ptr<ScreenContext> open();
    // Why the last open failed, in words; empty after one that succeeded.
    static const std::string& openFailure();
    ~ScreenContext() override;
    ScreenContext(const ScreenContext&) = delete;
    ScreenContext& operator=(const ScreenContext&) = delete;

    // The open context at this address, found without reading through it: nullptr for a
    // context that was destroyed, or any other address.
    static ScreenContext* find(const void* address);
    // These search every open context.
    static X11Window* findWindow(Window id);
    // false when no open context holds the window.
    static bool destroyWindow(Window id);
    // The earliest made window that is still open; nullptr when there is none.
    static X11Window* firstWindow();

    unsigned int serial() const { return serial_; }
    X11Window* createWindow();
    void requestEvents() { eventsRequested_ = true; }

    void poll(EventQueue& queue) override;

private:
    explicit ScreenContext(Display* display);

    Display* display_;
    unsigned int serial_;
    bool eventsRequested_ = false;
    std::vector<std::unique_ptr<X11Window>> windows_;
};

}  // namespace tablet
