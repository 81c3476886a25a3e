#include "input/PeripheralSystem.h"

#include <boost/shared_ptr.hpp>

#include "core/memory/ZequinAllocation.h"
#include "core/message/MessageSystem.h"
#include "input/AccelerometerController.h"
#include "input/DualShock3Controller.h"
#include "input/KeyboardController.h"
#include "input/MouseController.h"
#include "input/MultiPointerController.h"
#include "input/PlatformControlSetupPlaybook.h"
#include "input/RevolutionController.h"
#include "input/X360Controller.h"
#include "lib/tablet/navigator.h"
#include "lib/tablet/screen.h"
#include "platform/playbook/PlaybookSystemEventMessage.h"

namespace orvo {

namespace {

// The types the set-up is asked about; the remaining ones stay without controllers.
constexpr Controller::Type BUILT_TYPES[] = {
    Controller::Keyboard,   Controller::Mouse, Controller::MultiPointer, Controller::Accelerometer,
    Controller::DualShock3, Controller::X360,  Controller::Revolution,
};

unsigned int controllerCount(const PlatformControlSetup& setup, Controller::Type type) {
    switch (type) {
        case Controller::Keyboard:
            return setup.getMaxKeyboardControllers();
        case Controller::Mouse:
            return setup.getMaxMouseControllers();
        case Controller::MultiPointer:
            return setup.getMaxMultiPointerControllers();
        case Controller::Accelerometer:
            return setup.getMaxAccelerometerControllers();
        case Controller::DualShock3:
            return setup.getMaxDualShock3Controllers();
        case Controller::X360:
            return setup.getMaxX360Controllers();
        case Controller::Revolution:
            return setup.getMaxRevolutionControllers();
        default:
            return 0;
    }
}

// A fresh controller of the type's class, kept as a plain Controller.
Controller deviceController(Controller::Type type) {
    switch (type) {
        case Controller::Keyboard:
            return KeyboardController();
        case Controller::Mouse:
            return MouseController();
        case Controller::MultiPointer:
            return MultiPointerController();
        case Controller::Accelerometer:
            return AccelerometerController();
        case Controller::DualShock3:
            return DualShock3Controller();
        case Controller::X360:
            return X360Controller();
        case Controller::Revolution:
            return RevolutionController();
        default:
            return Controller();
    }
}

void postWindowState(int state) {
    PlaybookSystemEventMessage::MessageType type;
    if (state == NAVIGATOR_WINDOW_FULLSCREEN) {
        type = PlaybookSystemEventMessage::WINDOW_FOREGROUND;
    } else if (state == NAVIGATOR_WINDOW_THUMBNAIL || state == NAVIGATOR_WINDOW_INVISIBLE) {
        type = PlaybookSystemEventMessage::WINDOW_BACKGROUND;
    } else {
        return;
    }
    PlaybookSystemEventMessage* message =
        new (0, ZequinAllocation) PlaybookSystemEventMessage(type);
    if (message == nullptr) {
        return;
    }
    MessageSystem::getQueue<PlaybookSystemEventMessage>().postMessage(
        boost::shared_ptr<PlaybookSystemEventMessage>(message));
}

}  // namespace

PeripheralSystem::PeripheralSystem()
    : PeripheralSystem(new (0, ZequinAllocation) PlatformControlSetupPlaybook()) {}

PeripheralSystem::PeripheralSystem(PlatformControlSetup* setup)
    : platformControlSetup(setup), maxControllers(0) {
    controllers.resize(Controller::TYPE_COUNT, Array<Controller>());
    for (Controller::Type type : BUILT_TYPES) {
        const unsigned int count =
            platformControlSetup != nullptr ? controllerCount(*platformControlSetup, type) : 0;
        if (count > 0 && static_cast<std::size_t>(type) < controllers.size()) {
            controllers[static_cast<std::size_t>(type)].resize(count, deviceController(type));
        }
    }
    for (const Array<Controller>& ofType : controllers) {
        if (ofType.size() > maxControllers) {
            maxControllers = static_cast<unsigned int>(ofType.size());
        }
    }
}

PeripheralSystem::~PeripheralSystem() { delete platformControlSetup; }

bool PeripheralSystem::addActionGroup(ActionGroup const& group) {
    // The copies are made before the group arrays grow: the group may be one of their copies.
    Array<ActionGroup> copies;
    if (!copies.resize(static_cast<std::size_t>(maxControllers) + 1, group) ||
        !actionGroups.pushBack(Array<ActionGroup>())) {
        return false;
    }
    actionGroups[actionGroups.size() - 1].acquire(copies);
    return true;
}

ActionGroup const& PeripheralSystem::getActionGroup(HashString const& name,
                                                    unsigned int playerIndex) const {
    const unsigned int index = playerIndex < maxControllers ? playerIndex : maxControllers;
    for (const Array<ActionGroup>& copies : actionGroups) {
        if (!copies.empty() && copies[0].getName() == name) {
            return copies.at(index);
        }
    }
    return DUMMY_ACTION_GROUP;
}

void PeripheralSystem::update() {
    bps_event_t* event = nullptr;
    while (bps_get_event(&event, 0) == BPS_SUCCESS && event != nullptr) {
        handleEvent(event);
    }
    for (Array<ActionGroup>& copies : actionGroups) {
        populateActionGroupArray(copies);
    }
}

void PeripheralSystem::handleEvent(bps_event_t* event) {
    const int domain = bps_event_get_domain(event);
    if (domain == screen_get_domain()) {
        if (platformControlSetup != nullptr && controllers.size() > Controller::MultiPointer) {
            platformControlSetup->updateControllers(event, Controller::MultiPointer,
                                                    &controllers[Controller::MultiPointer]);
        }
    } else if (domain == navigator_get_domain() &&
               bps_event_get_code(event) == NAVIGATOR_WINDOW_STATE) {
        postWindowState(navigator_event_get_window_state(event));
    }
}

void PeripheralSystem::populateActionGroupArray(Array<ActionGroup>& copies) {
    for (std::size_t i = 0; i < copies.size(); ++i) {
        copies[i].recomputeInputs(controllers, i);
    }
}

void PeripheralSystem::clearAllActionGroups() { actionGroups.clear(); }

Array<Controller>* PeripheralSystem::getControllers(Controller::Type type) {
    const std::size_t index = static_cast<std::size_t>(type);
    return type >= 0 && index < controllers.size() ? &controllers[index] : nullptr;
}

}  // namespace orvo
