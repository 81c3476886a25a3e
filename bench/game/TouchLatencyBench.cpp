// From a touch to the moved craft, in game frames. A touch in the lower part of the screen
// goes in through the tablet layer's event feed, where the window's touches arrive, and the
// input service reads it at the start of the next frame. Frames are counted until the player's
// lane target changes and until the craft is drawn at least a pixel away from where it would
// be without the touch. The time is from the touch to the end of the frame that shows the
// move, drawn and finished, on this machine.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>

#include "bench/game/FrameBench.h"
#include "game/objects/AirCraft.h"
#include "lib/tablet/feed.h"
#include "lib/tablet/screen.h"
#include "tests/game/render/ScreenProjection.h"

using orvo::ZqVector;

namespace {

constexpr int TOUCH_Y = 500;  // well below the top fifth, where touches change lane
constexpr int LEFT_X = 100;
constexpr int RIGHT_X = 924;
constexpr int MOST_FRAMES = 60;
constexpr double FRAME_MS = 1000.0 / 60.0;

// Whether the craft now shows at least a pixel across from where it would show had it stayed
// at the depth it was drawn at before the touch.
bool movedOnScreen(HeadlessWorld& world, float drawnZ) {
    const AirCraft& craft = world.player();
    ZqVector<3> stayed = craft.drawPosition;
    stayed.z = drawnZ;
    float x = 0.0f, y = 0.0f, stayedX = 0.0f, stayedY = 0.0f;
    return projectToScreen(world.scene(), craft.drawPosition, x, y) &&
           projectToScreen(world.scene(), stayed, stayedX, stayedY) &&
           std::fabs(x - stayedX) >= 1.0f;
}

void BM_TouchToMovedCraft(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    startMeasuredRun();
    HeadlessWorld& world = benchWorld();
    AirCraft& craft = world.player();
    double laneFrames = 0.0, shownFrames = 0.0;
    bool left = true;
    for (auto _ : state) {
        // The touches go left and right in turn, so the craft stays on the track's middle lanes.
        const int x = left ? LEFT_X : RIGHT_X;
        left = !left;
        const float lane = craft.position.z;
        const float drawnZ = craft.drawPosition.z;
        const Clock::time_point touched = Clock::now();
        tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, x, TOUCH_Y);
        int laneAt = 0, shownAt = 0;
        Clock::time_point shown = touched;
        for (int frame = 1; shownAt == 0 && frame <= MOST_FRAMES; ++frame) {
            runFrame(true);
            const Clock::time_point drawn = Clock::now();
            if (laneAt == 0 && craft.position.z != lane) {
                laneAt = frame;
            }
            if (movedOnScreen(world, drawnZ)) {
                shownAt = frame;
                shown = drawn;
            }
        }
        if (laneAt == 0 || shownAt == 0) {
            state.SkipWithError("the touch did not move the craft");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(shown - touched).count());
        laneFrames += laneAt;
        shownFrames += shownAt;
        // Let go, and let the craft settle in its lane before the next touch.
        tablet_feed_push_touch(SCREEN_EVENT_MTOUCH_RELEASE, 0, x, TOUCH_Y);
        for (int i = 0; i < MOST_FRAMES; ++i) {
            runFrame(false);
        }
    }
    using benchmark::Counter;
    state.counters["frames to lane target"] = Counter(laneFrames, Counter::kAvgIterations);
    state.counters["frames to moved on screen"] = Counter(shownFrames, Counter::kAvgIterations);
    state.counters["ms at 60 Hz"] = Counter(shownFrames * FRAME_MS, Counter::kAvgIterations);
}
BENCHMARK(BM_TouchToMovedCraft)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
