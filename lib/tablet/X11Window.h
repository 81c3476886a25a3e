// One screen window as an X11 window: its properties, and the translation of its X events into
// touch and window-state events.
#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <string>

#include "lib/tablet/Event.h"
#include "lib/tablet/PngWriter.h"

namespace tablet {

class EventQueue;

class X11Window {
public:
    // Unmapped, at the display's size; nullptr when X refuses.
    static std::unique_ptr<X11Window> create(Display* display);
    ~X11Window();
    X11Window(const X11Window&) = delete;
    X11Window& operator=(const X11Window&) = delete;

    Window id() const { return window_; }
    unsigned int serial() const { return serial_; }
    // Each returns 0, or an errno value.
    int setName(const char* name);
    int setProperty(int property, const int* value);
    int createBuffers(int count);

    // Sends the window the close request that the desktop sends when the user closes it, and
    // waits until it is back on this connection: the next poll handles it like the desktop's.
    bool requestClose();
    // Reads the window's current contents back from the X server; false with error set when
    // the window is not wholly on screen or X refuses.
    bool capture(RgbImage& image, std::string& error);

    // One X event addressed to this window. Touches go to the queue only when the screen events
    // were requested, window states only when the navigator's were.
    void handle(const XEvent& event, bool screenEvents, EventQueue& queue);

private:
    X11Window(Display* display, Window window, int width, int height);
    void applySize();
    void readWmState();
    void reportState(EventQueue& queue);

    Display* display_;
    Window window_;
    unsigned int serial_;
    int width_;
    int height_;
    bool buffersCreated_ = false;
    bool button1Held_ = false;
    // Assumed in the foreground from the start: the first map and focus are no change.
    bool mapped_ = true;
    bool iconified_ = false;
    bool focused_ = true;
    int reportedState_;
    Atom wmProtocols_;
    Atom wmDeleteWindow_;
    Atom wmState_;
};

}  // namespace tablet
