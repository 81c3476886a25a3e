#pragma once

#include <functional>

#include "tools/soak/ResourceSample.h"

// The whole game run in this process for a long time, as main runs it, but on the GL context
// the caller made current (a pbuffer stands in for the window) and with the engine clock on
// the fixed step of reproducible runs; a SoakPlayer plays it. The working directory must be a
// copy of the run folder (app/native/trellin.pak, app/native/audio/, data/).
namespace Soak {

struct Result {
    long turns = 0;
    int runs = 0;          // crashes that opened the restart page
    double seconds = 0.0;  // wall time of the turns
    // One sample as each run's restart page opens.
    ResourceSamples samples;
    ResourceSample end;  // after the last turn
};

// Start-up up to the main loop. False when the folder holds no archive the game can open (the
// log says so); then only endGame is left to call.
bool startGame();
// Main-loop turns until maxTurns have run or maxRuns runs have ended (0: no limit);
// onSample sees each sample as it is taken.
Result play(long maxTurns, int maxRuns, unsigned seed,
            const std::function<void(const ResourceSample&)>& onSample = {});
// The exit handler, and the two services the game never deletes.
void endGame();

}  // namespace Soak
