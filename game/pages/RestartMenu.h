#pragma once

#include "ui/EventHandler.h"

// The page after a crash: another run, or back to the title. After every event it shows the
// run's score and the best score.
class RestartMenu : public EventHandler {
public:
    void processEvent(Rocket::Core::Element* element, const orvo::ZqString& eventType,
                      const orvo::ZqString& value) override;
};
