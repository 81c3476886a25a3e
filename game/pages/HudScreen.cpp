#include "game/pages/HudScreen.h"

#include "game/manager/GameManager.h"
#include "game/objects/AirCraft.h"

void HudScreen::processEvent(Rocket::Core::Element*, const orvo::ZqString&,
                             const orvo::ZqString& value) {
    AirCraft* craft = GameManager::playerAirCraft();
    if (craft == nullptr) {
        return;
    }
    if (value == "player_move_left") {
        craft->requestLaneChange(AirCraft::REQUEST_LEFT);
    } else if (value == "player_move_right") {
        craft->requestLaneChange(AirCraft::REQUEST_RIGHT);
    }
}
