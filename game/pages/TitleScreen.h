#pragma once

#include "ui/EventHandler.h"

// The title page: starts a run, refreshes its texts, plays the accept sound and toggles the
// distance bonus and the music, writing the new label into the element that asked.
class TitleScreen : public EventHandler {
public:
    void processEvent(Rocket::Core::Element* element, const orvo::ZqString& eventType,
                      const orvo::ZqString& value) override;
};
