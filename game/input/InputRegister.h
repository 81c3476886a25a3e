#pragma once

// Declares the game's action groups, PLAYER_ONE_CONTROLS and GLOBAL_CONTROLS, with the device
// controls each action sums up.
class InputRegister {
public:
    // Adds both groups to the input service and updates it once so that they hold their first
    // values. Does nothing when the input service is not registered.
    static void registerInputs();
};
