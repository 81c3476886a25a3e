#include "core/time/Clock.h"

namespace orvo {

TimePlatform* Clock::timePlatform_ = nullptr;

double Clock::getCurrentTime() {
    return timePlatform_ != nullptr ? timePlatform_->getCurrentTime() : 0.0;
}

void Clock::reset() {
    if (timePlatform_ != nullptr) {
        timePlatform_->reset();
    }
}

double Clock::pause() { return timePlatform_ != nullptr ? timePlatform_->pause() : 0.0; }

double Clock::resume() { return timePlatform_ != nullptr ? timePlatform_->resume() : 0.0; }

bool Clock::paused() { return timePlatform_ != nullptr && timePlatform_->paused(); }

}  // namespace orvo
