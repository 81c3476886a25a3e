#include "core/time/Timer.h"

#include <cmath>
#include <limits>

namespace orvo {

namespace {

// Beyond this many periods in one update the count is computed at once rather than looped.
constexpr double MAX_LOOPED_PERIODS = 1.0e6;

}  // namespace

Timer::Timer(double period)
    : lastTime_(0.0), period_(period), remaining_(period), state_(NOT_STARTED) {}

void Timer::start(double now) {
    lastTime_ = now;
    remaining_ = period_;
    state_ = RUNNING;
}

void Timer::stop() {
    remaining_ = period_;
    state_ = STOPPED;
}

unsigned Timer::update(double now) {
    // A period of 0 or less would never end the count.
    if (state_ != RUNNING || !(period_ > 0.0)) {
        return 0;
    }
    double remaining = remaining_ - (now - lastTime_);
    lastTime_ = now;
    double count = 0.0;
    // A long gap against a short period (or an infinite one) must not loop for ever.
    const double periodsDue = -remaining / period_;
    if (periodsDue > MAX_LOOPED_PERIODS) {
        count = std::floor(periodsDue);
        remaining += count * period_;
    }
    while (remaining <= 0.0) {
        remaining += period_;
        count += 1.0;
    }
    remaining_ = remaining;
    const double maxCount = static_cast<double>(std::numeric_limits<unsigned>::max());
    return count < maxCount ? static_cast<unsigned>(count) : std::numeric_limits<unsigned>::max();
}

}  // namespace orvo
