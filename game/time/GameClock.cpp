#include "game/time/GameClock.h"

#include "core/time/Clock.h"
#include "game/time/GameTimer.h"

GameClock::GameClock()
    : frameDelta(0.0),
      frameWorkTime(0.0),
      previousElapsed(0.0),
      elapsed(0.0),
      startTime(0.0),
      elapsedAtFrameStart(0.0) {
    orvo::Clock::initialiseTime();
    startTime = orvo::Clock::getCurrentTime();
}

GameClock::~GameClock() { timers.clear(); }

void GameClock::addTimer(GameTimer* timer) {
    if (timer != nullptr) {
        timers.pushBack(timer);
    }
}

void GameClock::removeTimer(GameTimer* timer) {
    for (std::size_t i = 0; i < timers.size(); ++i) {
        if (timers[i] == timer) {
            timers[i] = timers[timers.size() - 1];
            timers.popBack();
            return;
        }
    }
}

void GameClock::startFrame() {
    const double now = orvo::Clock::getCurrentTime();
    frameWorkTime = 0.0;
    previousElapsed = elapsed;
    const double e = now - startTime;
    frameDelta = e - elapsed;
    elapsed = e;
    elapsedAtFrameStart = e;
    const double handed = frameDelta < MAX_FRAME_TIME ? frameDelta : MAX_FRAME_TIME;
    for (GameTimer* timer : timers) {
        timer->update(handed);
    }
}

void GameClock::endFrame() { frameWorkTime = orvo::Clock::getCurrentTime() - startTime - elapsed; }
