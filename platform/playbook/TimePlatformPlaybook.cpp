#include "platform/playbook/TimePlatformPlaybook.h"

#include <stdint.h>
#include <time.h>

#include "core/memory/ZequinAllocation.h"
#include "core/time/Clock.h"

namespace orvo {

double TimePlatformPlaybook::fixedStep_ = 0.0;
double TimePlatformPlaybook::fixedNow_ = 0.0;

// This platform's engine clock is the monotonic one.
void Clock::initialiseTime() {
    if (timePlatform_ != nullptr) {
        timePlatform_->reset();
        return;
    }
    timePlatform_ = new (0, ZequinAllocation) TimePlatformPlaybook();
}

TimePlatformPlaybook::TimePlatformPlaybook()
    : startTime_(readClock()), lastElapsed_(0.0), pauseStart_(0.0) {}

void TimePlatformPlaybook::setFixedStep(double seconds) {
    fixedStep_ = seconds > 0.0 ? seconds : 0.0;
}

double TimePlatformPlaybook::readClock() {
    if (fixedStep_ > 0.0) {
        fixedNow_ += fixedStep_;
        return fixedNow_;
    }
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(static_cast<uint32_t>(now.tv_sec)) +
           static_cast<double>(now.tv_nsec) * 1e-9;
}

double TimePlatformPlaybook::getCurrentTime() {
    if (pauseStart_ > 0.0) {
        return lastElapsed_;
    }
    lastElapsed_ = readClock() - startTime_;
    return lastElapsed_;
}

void TimePlatformPlaybook::reset() {
    startTime_ = readClock();
    pauseStart_ = 0.0;
}

double TimePlatformPlaybook::pause() {
    if (pauseStart_ > 0.0) {
        return lastElapsed_;
    }
    const double reading = readClock();
    lastElapsed_ = reading - startTime_;
    pauseStart_ = reading;
    return lastElapsed_;
}

double TimePlatformPlaybook::resume() {
    if (!(pauseStart_ > 0.0)) {
        return lastElapsed_;
    }
    const double reading = readClock();
    startTime_ = reading - pauseStart_ + startTime_;
    pauseStart_ = 0.0;
    lastElapsed_ = reading - startTime_;
    return lastElapsed_;
}

bool TimePlatformPlaybook::paused() { return pauseStart_ > 0.0; }

}  // namespace orvo
