#pragma once

#include "core/time/Clock.h"

namespace orvo {

// A time source whose clock the test sets (`now`), installed as the engine clock's source while
// it lives. Like the platform's source it stands still while paused and skips the paused span
// when it resumes.
class FakeTimePlatform : public TimePlatform {
public:
    FakeTimePlatform() { Clock::timePlatform_ = this; }
    ~FakeTimePlatform() override { Clock::timePlatform_ = nullptr; }

    double getCurrentTime() override { return isPaused ? pausedAt : now - skipped; }
    void reset() override {
        skipped = now;
        isPaused = false;
    }
    double pause() override {
        if (!isPaused) {
            isPaused = true;
            pausedAt = now - skipped;
        }
        return pausedAt;
    }
    double resume() override {
        if (isPaused) {
            isPaused = false;
            skipped = now - pausedAt;
        }
        return getCurrentTime();
    }
    bool paused() override { return isPaused; }

    double now = 0.0;

private:
    double skipped = 0.0;
    double pausedAt = 0.0;
    bool isPaused = false;
};

}  // namespace orvo
