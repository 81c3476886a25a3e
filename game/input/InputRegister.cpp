#include "game/input/InputRegister.h"

#include <initializer_list>

#include "game/input/InputNames.h"
#include "input/ActionGroup.h"
#include "input/PeripheralMap.h"
#include "input/PeripheralSystem.h"

namespace {

using orvo::Controller;
using orvo::HashString;
using orvo::PeripheralMap;
typedef PeripheralMap::PotentialInputOutput Source;

// An action over its controls, in order; the list is never empty.
PeripheralMap action(HashString name, std::initializer_list<Source> controls) {
    const Source* source = controls.begin();
    PeripheralMap map(name, source->type, source->control);
    for (++source; source != controls.end(); ++source) {
        map.addControllerTypeAndMethod(source->type, source->control);
    }
    return map;
}

orvo::ActionGroup playerOneControls() {
    using namespace orvo;
    ActionGroup group(PLAYER_ONE_CONTROLS);
    group.addInputAction(
        action(PLAYER_ONE_LANE_SWITCH_LEFT, {{Controller::Keyboard, KEY_CURSOR_LEFT},
                                             {Controller::XperiaPlay, DIRECTIONAL_PAD_LEFT},
                                             {Controller::XperiaPlay, BUTTON_L1},
                                             {Controller::Zeemote, JOYSTICK_LEFT}}));
    group.addInputAction(
        action(PLAYER_ONE_LANE_SWITCH_RIGHT, {{Controller::Keyboard, KEY_CURSOR_RIGHT},
                                              {Controller::XperiaPlay, DIRECTIONAL_PAD_RIGHT},
                                              {Controller::XperiaPlay, BUTTON_R1},
                                              {Controller::Zeemote, JOYSTICK_RIGHT},
                                              {Controller::XperiaPlay, BUTTON_CIRCLE}}));
    group.addInputAction(
        action(PLAYER_ONE_LANE_SWITCH_POINTER_1, {{Controller::MultiPointer, POINTER_1_DOWN}}));
    group.addInputAction(
        action(PLAYER_ONE_LANE_SWITCH_POINTER_1_X, {{Controller::MultiPointer, POINTER_1_X}}));
    group.addInputAction(
        action(PLAYER_ONE_LANE_SWITCH_POINTER_1_Y, {{Controller::MultiPointer, POINTER_1_Y}}));
    return group;
}

orvo::ActionGroup globalControls() {
    using namespace orvo;
    ActionGroup group(GLOBAL_CONTROLS);
    group.addInputAction(action(GLOBAL_BACK_BUTTON, {{Controller::Keyboard, ANDROID_BACK}}));
    group.addInputAction(action(GLOBAL_HOME_BUTTON, {{Controller::Keyboard, ANDROID_HOME}}));
    group.addInputAction(action(GLOBAL_MENU_BUTTON, {{Controller::Keyboard, ANDROID_MENU}}));
    group.addInputAction(
        action(GLOBAL_MOUSE_RIGHT_BUTTON, {{Controller::Mouse, MOUSE_RIGHT_BUTTON}}));
    group.addInputAction(action(GLOBAL_POINTER_DOWN, {{Controller::MultiPointer, POINTER_1_DOWN},
                                                      {Controller::Mouse, MOUSE_LEFT_BUTTON}}));
    group.addInputAction(action(GLOBAL_POINTER_X_POSITION, {{Controller::MultiPointer, POINTER_1_X},
                                                            {Controller::Mouse, MOUSE_X}}));
    group.addInputAction(action(GLOBAL_POINTER_Y_POSITION, {{Controller::MultiPointer, POINTER_1_Y},
                                                            {Controller::Mouse, MOUSE_Y}}));
    group.addInputAction(
        action(GLOBAL_FOCUS_NEXT, {{Controller::Keyboard, KEY_TAB},
                                   {Controller::Zeemote, JOYSTICK_DOWN},
                                   {Controller::Zeemote, JOYSTICK_RIGHT},
                                   {Controller::XperiaPlay, DIRECTIONAL_PAD_DOWN},
                                   {Controller::XperiaPlay, DIRECTIONAL_PAD_RIGHT}}));
    group.addInputAction(
        action(GLOBAL_FOCUS_PREVIOUS, {{Controller::Zeemote, JOYSTICK_UP},
                                       {Controller::Zeemote, JOYSTICK_LEFT},
                                       {Controller::XperiaPlay, DIRECTIONAL_PAD_UP},
                                       {Controller::XperiaPlay, DIRECTIONAL_PAD_LEFT}}));
    group.addInputAction(action(GLOBAL_SHIFT, {{Controller::Keyboard, KEY_SHIFT_LEFT},
                                               {Controller::Keyboard, KEY_SHIFT_RIGHT}}));
    group.addInputAction(action(GLOBAL_FOCUS_SELECTED, {{Controller::Keyboard, KEY_RETURN},
                                                        {Controller::Zeemote, BUTTON_A},
                                                        {Controller::XperiaPlay, BUTTON_CROSS}}));
    group.addInputAction(action(GLOBAL_ZEEMOTE_CONNECTED, {{Controller::Zeemote, ZEEMOTE_CONNECTED},
                                                           {Controller::Keyboard, KEY_CTRL_LEFT}}));
    return group;
}

}  // namespace

void InputRegister::registerInputs() {
    orvo::PeripheralSystem* input = orvo::PeripheralSystem::instance_;
    if (input == nullptr) {
        return;
    }
    input->addActionGroup(playerOneControls());
    input->addActionGroup(globalControls());
    input->update();
}
