#pragma once

#include "core/locator/ServiceSingleton.h"

namespace orvo {

// Consumer of OsMessage: keeps the running flag the main loop tests and the active flag.
class OsMessageHandler : public Locator::ServiceSingleton<OsMessageHandler> {
public:
    OsMessageHandler();
    ~OsMessageHandler() override;

    // Creates the OsMessage queue.
    void initialise();
    // Drains the OsMessage queue once.
    void update();
    // Removes the queue when initialised; the initialised flag stays set.
    void uninitialise();

    bool isRunning() const { return running_; }
    bool isActive() const { return active_; }
    bool isInitialised() const { return initialised_; }

private:
    bool running_;
    bool active_;
    bool initialised_;
};

}  // namespace orvo
