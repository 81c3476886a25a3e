#include "input/PlatformControlSetupPlaybook.h"

#include "input/MultiPointerController.h"
#include "lib/tablet/screen.h"

namespace orvo {

PlatformControlSetupPlaybook::PlatformControlSetupPlaybook() : coordinateScale(1.0f) {}

unsigned int PlatformControlSetupPlaybook::getMaxMultiPointerControllers() const { return 1; }

void PlatformControlSetupPlaybook::updateControllers(bps_event_t* event, Controller::Type type,
                                                     Array<Controller>* controllers) {
    if (controllers == nullptr || controllers->empty() || type != Controller::MultiPointer) {
        return;
    }
    screen_event_t screenEvent = screen_event_get_event(event);
    if (screenEvent == nullptr) {
        return;
    }
    int eventType = 0;
    int touchId = 0;
    int position[2] = {0, 0};
    // Events that are no touch carry no id or position: those reads fail and nothing is written.
    if (screen_get_event_property_iv(screenEvent, SCREEN_PROPERTY_TYPE, &eventType) != 0 ||
        screen_get_event_property_iv(screenEvent, SCREEN_PROPERTY_TOUCH_ID, &touchId) != 0 ||
        screen_get_event_property_iv(screenEvent, SCREEN_PROPERTY_POSITION, position) != 0) {
        return;
    }
    handleTouchEvent((*controllers)[0], eventType, touchId, position);
}

void PlatformControlSetupPlaybook::handleTouchEvent(Controller& controller, int eventType,
                                                    int touchId, int* position) {
    if (touchId < 0 || touchId >= static_cast<int>(MultiPointerController::POINTER_COUNT) ||
        position == nullptr) {
        return;
    }
    const MultiPointerController::Pointer& pointer = MultiPointerController::POINTERS[touchId];
    switch (eventType) {
        case SCREEN_EVENT_MTOUCH_TOUCH:
            controller.setControllerValue(pointer.down, 1.0f);
            break;
        case SCREEN_EVENT_MTOUCH_RELEASE:
            controller.setControllerValue(pointer.down, 0.0f);
            break;
        case SCREEN_EVENT_MTOUCH_MOVE:
            break;
        default:
            return;
    }
    controller.setControllerValue(pointer.x, static_cast<float>(position[0]) * coordinateScale);
    controller.setControllerValue(pointer.y, static_cast<float>(position[1]) * coordinateScale);
}

}  // namespace orvo
