#pragma once

#include "core/time/TimePlatform.h"

namespace orvo {

// The engine clock: seconds since the last initialiseTime(), from the process's one time source.
// Without a source every call gives 0 and does nothing.
// The source lives to the end of the process: destroying a clock object leaves it to the other
// clocks and the static calls.
class Clock {
public:
    Clock() { initialiseTime(); }

    // Creates the platform's time source on first call; later calls restart it at 0.
    // The platform layer defines this function, since it decides which source the engine uses.
    static void initialiseTime();

    static double getCurrentTime();
    static void reset();
    static double pause();
    static double resume();
    static bool paused();

    // The process's time source; the platform layer and tests install it.
    static TimePlatform* timePlatform_;
};

}  // namespace orvo
