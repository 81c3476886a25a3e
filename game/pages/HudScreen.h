#pragma once

#include "ui/EventHandler.h"

// The HUD during play: its buttons move the craft one lane left or right.
class HudScreen : public EventHandler {
public:
    void processEvent(Rocket::Core::Element* element, const orvo::ZqString& eventType,
                      const orvo::ZqString& value) override;
};
