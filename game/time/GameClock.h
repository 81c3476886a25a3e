#pragma once

#include "core/containers/Array.h"

class GameTimer;

// The game's frame clock: measures the time between frame starts on the engine clock and hands
// it to every registered timer. All times are seconds.
class GameClock {
public:
    // The most a frame hands its timers. The world steps by speed x frame time: a longer
    // frame (a slow machine, a stall, a window drag) would carry the craft past the tiles laid
    // ahead of it and through what stands on them. At 10 frames a second or more nothing
    // changes; below that the game plays in slow motion.
    static constexpr double MAX_FRAME_TIME = 0.1;

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

    double frameDelta;  // as measured; the timers receive at most MAX_FRAME_TIME
    double frameWorkTime;
    double previousElapsed;
    double elapsed;
    double startTime;
    double elapsedAtFrameStart;
    orvo::Array<GameTimer*> timers;  // not owned
};
