#pragma once

#include "core/containers/Array.h"

class GameTimer;

// The game's frame clock: measures the time between frame starts on the engine clock and hands
// it to every registered timer. All times are seconds.
class GameClock {
public:
    GameClock();
    ~GameClock();
    GameClock(const GameClock&) = delete;
    GameClock& operator=(const GameClock&) = delete;

    // A null timer is ignored.
    void addTimer(GameTimer* timer);
    // Moves the last timer into the freed place; an unknown timer changes nothing.
    void removeTimer(GameTimer* timer);

    void startFrame();
    void endFrame();

    double frameDelta;
    double frameWorkTime;
    double previousElapsed;
    double elapsed;
    double startTime;
    double elapsedAtFrameStart;
    orvo::Array<GameTimer*> timers;  // not owned
};
