#pragma once

#include <cstddef>

#include "core/containers/Array.h"
#include "core/hash/HashString.h"
#include "core/locator/ServiceSingleton.h"
#include "input/ActionGroup.h"
#include "input/Controller.h"
#include "lib/tablet/bps.h"

namespace orvo {

class PlatformControlSetup;

// The input service. It owns the platform's control set-up, the controllers of each type and
// one copy of every registered action group per player index. Its update is the only reader of
// the platform event queue: touches update the controllers, window-state changes become
// PlaybookSystemEventMessages, and then every group is recomputed. Main thread only.
class PeripheralSystem : public Locator::ServiceSingleton<PeripheralSystem> {
public:
    // With the tablet's control set-up.
    PeripheralSystem();
    // With another platform's set-up (made in memory category 0), which it owns from now on; a
    // null set-up gives no controllers.
    explicit PeripheralSystem(PlatformControlSetup* setup);
    ~PeripheralSystem() override;
    PeripheralSystem(const PeripheralSystem&) = delete;
    PeripheralSystem& operator=(const PeripheralSystem&) = delete;

    // Stores maxControllers + 1 copies (player indices 0 to maxControllers). Names are not
    // checked; lookups find the first group. False when the copies could not be stored.
    bool addActionGroup(ActionGroup const& group);

    // The copy for the player index, limited to the copies held; DUMMY_ACTION_GROUP for an
    // unknown name.
    ActionGroup const& getActionGroup(HashString const& name, unsigned int playerIndex) const;

    // Drains the event queue without waiting, then recomputes every group.
    void update();
    void populateActionGroupArray(Array<ActionGroup>& copies);
    void clearAllActionGroups();

    unsigned int getMaxControllers() const { return maxControllers; }
    // The controllers of one type, for a device that is written outside the platform's event
    // path; null for a type outside 0 to 8.
    Array<Controller>* getControllers(Controller::Type type);

private:
    void handleEvent(bps_event_t* event);

    PlatformControlSetup* platformControlSetup;
    // Indexed by Controller::Type; declared first so that the groups are destroyed before them.
    Array<Array<Controller>> controllers;
    Array<Array<ActionGroup>> actionGroups;
    unsigned int maxControllers;
};

}  // namespace orvo
