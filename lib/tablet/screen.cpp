#include "lib/tablet/screen.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "lib/tablet/Event.h"
#include "lib/tablet/ScreenContext.h"

struct screen_context {
    std::unique_ptr<tablet::ScreenContext> impl;
};

namespace {

int result(int error) {
    if (!error) return 0;
    errno = error;
    return -1;
}

// Handles are checked against the live ones before use: a stale one is refused.
std::vector<screen_context_t>& liveContexts() {
    static std::vector<screen_context_t>* contexts = new std::vector<screen_context_t>;
    return *contexts;
}

tablet::ScreenContext* live(screen_context_t context) {
    const auto& contexts = liveContexts();
    return std::find(contexts.begin(), contexts.end(), context) != contexts.end()
               ? context->impl.get()
               : nullptr;
}

}  // namespace

extern "C" {

int screen_create_context(screen_context_t* context, int flags) {
    if (!context || flags != SCREEN_APPLICATION_CONTEXT) return result(EINVAL);
    std::unique_ptr<tablet::ScreenContext> impl = tablet::ScreenContext::open();
    if (!impl) return result(ENXIO);
    *context = new screen_context{std::move(impl)};
    liveContexts().push_back(*context);
    return 0;
}

int screen_destroy_context(screen_context_t context) {
    if (!live(context)) return result(EINVAL);
    auto& contexts = liveContexts();
    contexts.erase(std::find(contexts.begin(), contexts.end(), context));
    delete context;
    return 0;
}

int screen_create_window(screen_window_t* window, screen_context_t context) {
    tablet::ScreenContext* impl = live(context);
    if (!window || !impl) return result(EINVAL);
    tablet::X11Window* created = impl->createWindow();
    if (!created) return result(ENOMEM);
    *window = created->id();
    return 0;
}

int screen_destroy_window(screen_window_t window) {
    return tablet::ScreenContext::destroyWindow(window) ? 0 : result(EINVAL);
}

int screen_create_window_group(screen_window_t window, const char* name) {
    tablet::X11Window* impl = tablet::ScreenContext::findWindow(window);
    return impl ? result(impl->setName(name)) : result(EINVAL);
}

int screen_set_window_property_iv(screen_window_t window, int property, const int* value) {
    tablet::X11Window* impl = tablet::ScreenContext::findWindow(window);
    return impl ? result(impl->setProperty(property, value)) : result(EINVAL);
}

int screen_create_window_buffers(screen_window_t window, int count) {
    tablet::X11Window* impl = tablet::ScreenContext::findWindow(window);
    return impl ? result(impl->createBuffers(count)) : result(EINVAL);
}

int screen_request_events(screen_context_t context) {
    tablet::ScreenContext* impl = live(context);
    if (!impl) return result(EINVAL);
    impl->requestEvents();
    return 0;
}

int screen_get_domain(void) { return tablet::kScreenDomain; }

screen_event_t screen_event_get_event(bps_event_t* event) {
    return event && event->domain == tablet::kScreenDomain ? &event->screen : nullptr;
}

int screen_get_event_property_iv(screen_event_t event, int property, int* value) {
    if (!event || !value) return result(EINVAL);
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
    return result(EINVAL);
}

}  // extern "C"
