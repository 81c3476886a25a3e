#pragma once

// One turn of the main loop: the game data load (first turn only), one frame paced to the
// 1/60 s grid, then the window's trips out of the foreground, which open the pause page.
// False when the loop is to end.
bool applicationLoop();
