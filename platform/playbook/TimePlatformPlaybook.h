#pragma once

#include "core/time/TimePlatform.h"

namespace orvo {

// The engine's time source over the monotonic clock. For tests and reproducible headless runs
// the clock can be replaced by a fixed step: each reading then lies exactly one step after the
// previous one. The step is off (0) by default.
class TimePlatformPlaybook : public TimePlatform {
public:
    TimePlatformPlaybook();

    double getCurrentTime() override;
    void reset() override;
    double pause() override;
    double resume() override;
    bool paused() override;

    // Seconds per reading; 0 reads the monotonic clock.
    static void setFixedStep(double seconds);

private:
    // One reading of the clock in seconds (or the next fixed step).
    static double readClock();

    double startTime_;
    double lastElapsed_;
    double pauseStart_;  // 0 while running

    static double fixedStep_;
    static double fixedNow_;
};

}  // namespace orvo
