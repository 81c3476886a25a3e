#pragma once

// One turn of the main loop: the game data load (first turn only), one frame paced to the
// 1/60 s grid, then the window's trips out of the foreground, which open the pause page.
// False when the loop is to end.
bool applicationLoop();

// The loop's start values: the measured sleep resolution (0 on a fixed frame step, which never
// sleeps), the frame duration, and frame 0 of the grid due now.
void startPacing();

// The process's exit status once the loop has ended: a failure when the game data never
// finished loading, so that whoever started the game can tell.
int applicationExitStatus();
