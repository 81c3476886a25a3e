#pragma once

#include "core/time/Clock.h"

namespace orvo {

// A time source whose time the test sets, installed as the engine clock's source while it lives.
class FakeTimePlatform : public TimePlatform {
public:
    FakeTimePlatform() { Clock::timePlatform_ = this; }
    ~FakeTimePlatform() override { Clock::timePlatform_ = nullptr; }

    double getCurrentTime() override { return isPaused ? pausedAt : now; }
    void reset() override { now = 0.0; }
    double pause() override {
        isPaused = true;
        pausedAt = now;
        return pausedAt;
    }
    double resume() override {
        isPaused = false;
        return now;
    }
    bool paused() override { return isPaused; }

    double now = 0.0;
    double pausedAt = 0.0;
    bool isPaused = false;
};

}  // namespace orvo
