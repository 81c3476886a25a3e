#include "game/time/GameTimer.h"

#include "game/time/GameClock.h"

GameTimer::GameTimer(GameClock& gameClock)
    : clock(gameClock), totalTime(0.0), lastDelta(0.0), paused(false), scale(1.0f) {
    clock.addTimer(this);
}

GameTimer::~GameTimer() { clock.removeTimer(this); }

void GameTimer::update(double delta) {
    if (paused) {
        return;
    }
    const double d = delta * static_cast<double>(scale);
    lastDelta = d;
    totalTime += d;
}
