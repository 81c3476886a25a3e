#pragma once

class GameClock;

// A scalable, pausable view of the clock's frame deltas. Users read lastDelta and totalTime
// and write scale and paused directly.
class GameTimer {
public:
    // Registers itself with the clock.
    explicit GameTimer(GameClock& gameClock);
    ~GameTimer();
    GameTimer(const GameTimer&) = delete;
    GameTimer& operator=(const GameTimer&) = delete;

    // Called by the clock only. A paused timer keeps its last delta.
    void update(double delta);

    GameClock& clock;
    double totalTime;
    double lastDelta;
    bool paused;
    float scale;
};
