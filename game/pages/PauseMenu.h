#pragma once

#include "ui/EventHandler.h"

// The pause page: pauses play when it is shown, resumes it, or ends the run for the title.
class PauseMenu : public EventHandler {
public:
    void processEvent(Rocket::Core::Element* element, const orvo::ZqString& eventType,
                      const orvo::ZqString& value) override;
};
