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

// The frames a grid runs before it starts again from the current time.
constexpr float FRAME_COUNT_LIMIT = 100000.0f;
// When the frame frameCount of the grid that started at referenceTime is due.
double dueTime(double referenceTime, float frameCount, double frameDuration);
// Counts a paced frame. Past the limit the count starts again at 0 and the grid at the time
// clock gives; without a clock (a reproducible run, which must not read it) the grid keeps its
// start.
void countFrame(float& frameCount, double& referenceTime, double (*clock)());

}  // namespace FramePacing
