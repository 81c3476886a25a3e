#pragma once

#include "core/locator/ServiceSingleton.h"
#include "game/time/GameClock.h"
#include "game/time/GameTimer.h"

// The game's time service: one clock and six timers on it. Timer 0 runs on real time (UI, the
// game-over countdown, the shield); timer 1 moves the world and is slowed after a crash.
class TimeManager : public orvo::Locator::ServiceSingleton<TimeManager> {
public:
    static constexpr int TIMER_COUNT = 6;
    static constexpr int UI_TIMER = 0;
    static constexpr int WORLD_TIMER = 1;

    TimeManager();

    void startFrame();
    void endFrame();

    GameTimer& getTimer(int index) { return timers[index]; }

    // The world timer's last delta, what the world moves by this frame; 0 without the service.
    static float worldFrameTime();
    // The world timer's running total; 0 without the service.
    static double worldTotalTime();
    // The real-time timer's running total; 0 without the service.
    static double realTotalTime();

    double minFrameTime;
    GameClock clock;
    GameTimer timers[TIMER_COUNT];
};
