#include "lib/tablet/screen.h"

#include <cerrno>
#include <memory>

#include "lib/tablet/CallTrace.h"
#include "lib/tablet/Event.h"
#include "lib/tablet/ScreenContext.h"

using tablet::CallTrace;
using tablet::ScreenContext;
using tablet::X11Window;

// A context handle is the address of its ScreenContext; the type itself is never defined.
namespace {

screen_context_t handleOf(ScreenContext* context) {
    return reinterpret_cast<screen_context_t>(context);
}

// Handles are checked against the open contexts before use: a stale one is refused.
ScreenContext* live(screen_context_t context) { return ScreenContext::find(context); }

void traceContext(CallTrace& trace, screen_context_t context) {
    if (!context) {
        trace.handle("ctx", 0, false);
    } else if (ScreenContext* impl = live(context)) {
        trace.handle("ctx", impl->serial(), true);
    } else {
        trace.unknownHandle("ctx");
    }
}

void traceWindow(CallTrace& trace, screen_window_t window) {
    if (!window) {
        trace.handle("win", 0, false);
    } else if (X11Window* impl = ScreenContext::findWindow(window)) {
        trace.handle("win", impl->serial(), true);
    } else {
        trace.unknownHandle("win");
    }
}

// How many integers a window property takes; 1 for one this layer does not know.
int valueCount(int property) {
    return property == SCREEN_PROPERTY_SOURCE_SIZE || property == SCREEN_PROPERTY_BUFFER_SIZE ? 2
                                                                                              : 1;
}

std::string valuesText(int property, const int* value) {
    if (!value) return "NULL";
    std::string text = "{";
    for (int i = 0; i < valueCount(property); ++i) {
        if (i) text += ", ";
        text += std::to_string(value[i]);
    }
    return text + "}";
}

int result(CallTrace& trace, int error) {
    if (!error) return trace.result(0);
    errno = error;
    return trace.result(-1);
}

}  // namespace

extern "C" {

int screen_create_context(screen_context_t* context, int flags) {
    CallTrace trace("screen_create_context");
    std::unique_ptr<ScreenContext> impl;
    if (context && flags == SCREEN_APPLICATION_CONTEXT) impl = ScreenContext::open();
    // The first argument shows what the call stored.
    trace.handle("ctx", impl ? impl->serial() : 0, impl != nullptr).number(flags);
    if (!context || flags != SCREEN_APPLICATION_CONTEXT) return result(trace, EINVAL);
    if (!impl) return result(trace, ENXIO);
    *context = handleOf(impl.release());
    return result(trace, 0);
}

const char* tablet_screen_open_failure(void) { return ScreenContext::openFailure().c_str(); }

int screen_destroy_context(screen_context_t context) {
    CallTrace trace("screen_destroy_context");
    traceContext(trace, context);
    ScreenContext* impl = live(context);
    if (!impl) return result(trace, EINVAL);
    delete impl;
    return result(trace, 0);
}

int screen_create_window(screen_window_t* window, screen_context_t context) {
    CallTrace trace("screen_create_window");
    ScreenContext* impl = live(context);
    X11Window* created = window && impl ? impl->createWindow() : nullptr;
    trace.handle("win", created ? created->serial() : 0, created != nullptr);
    traceContext(trace, context);
    if (!window || !impl) return result(trace, EINVAL);
    if (!created) return result(trace, ENOMEM);
    *window = created->id();
    return result(trace, 0);
}

int screen_destroy_window(screen_window_t window) {
    CallTrace trace("screen_destroy_window");
    traceWindow(trace, window);
    return result(trace, ScreenContext::destroyWindow(window) ? 0 : EINVAL);
}

int screen_create_window_group(screen_window_t window, const char* name) {
    CallTrace trace("screen_create_window_group");
    traceWindow(trace, window);
    trace.text(name);
    X11Window* impl = ScreenContext::findWindow(window);
    return result(trace, impl ? impl->setName(name) : EINVAL);
}

int screen_set_window_property_iv(screen_window_t window, int property, const int* value) {
    CallTrace trace("screen_set_window_property_iv");
    traceWindow(trace, window);
    trace.number(property).raw(valuesText(property, value));
    X11Window* impl = ScreenContext::findWindow(window);
    return result(trace, impl ? impl->setProperty(property, value) : EINVAL);
}

int screen_create_window_buffers(screen_window_t window, int count) {
    CallTrace trace("screen_create_window_buffers");
    traceWindow(trace, window);
    trace.number(count);
    X11Window* impl = ScreenContext::findWindow(window);
    return result(trace, impl ? impl->createBuffers(count) : EINVAL);
}

int screen_request_events(screen_context_t context) {
    CallTrace trace("screen_request_events");
    traceContext(trace, context);
    ScreenContext* impl = live(context);
    if (!impl) return result(trace, EINVAL);
    impl->requestEvents();
    return result(trace, 0);
}

int screen_get_domain(void) { return tablet::kScreenDomain; }

screen_event_t screen_event_get_event(bps_event_t* event) {
    return event && event->domain == tablet::kScreenDomain ? &event->screen : nullptr;
}

int screen_get_event_property_iv(screen_event_t event, int property, int* value) {
    if (!event || !value) {
        errno = EINVAL;
        return -1;
    }
    switch (property) {
        case SCREEN_PROPERTY_TYPE:
            value[0] = event->type;
            return 0;
        case SCREEN_PROPERTY_TOUCH_ID:
            if (!event->isTouch) break;
            value[0] = event->touchId;
            return 0;
        case SCREEN_PROPERTY_POSITION:
            if (!event->isTouch) break;
            value[0] = event->position[0];
            value[1] = event->position[1];
            return 0;
        default:
            break;
    }
    errno = EINVAL;
    return -1;
}

}  // extern "C"
