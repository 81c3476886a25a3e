// What the frame benchmarks of this program share: the game's world on Mesa in a 1024 x 600
// pbuffer, drawn from the built archive, made by the program before any benchmark runs.
#pragma once

#include "tools/world/HeadlessWorld.h"

HeadlessWorld& benchWorld();
// A fresh run at the measuring place: the same track every time (one seed), about 3000 units along
// at full speed, the player shielded. The frames that get it there are not drawn.
void startMeasuredRun();
// One game frame, drawn (and finished on the GPU) or only updated; the player's shield is
// renewed before it runs out, so the run never ends.
void runFrame(bool draw);
