#pragma once

#include <cstdint>

// The arithmetic of the main loop's pacing.
namespace FramePacing {

// Whole milliseconds from now until the due time, truncated toward zero. A difference beyond
// the 32-bit range (a clock that jumped) is clamped to it; NaN counts as late.
int32_t millisecondsUntil(double due, double now);
// Whether a frame with msLeft milliseconds to spare sleeps, and for how long: only when it is
// at least the sleep resolution ahead, and then for msLeft minus the resolution.
bool sleepTime(int32_t msLeft, int32_t resolution, uint32_t& sleepMs);

}  // namespace FramePacing
