#include "core/time/Timer.h"

#include <cmath>
#include <limits>

namespace orvo {

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
    // A period of 0 or less would never end the count; a time that is not a number says nothing.
    if (state_ != RUNNING || !(period_ > 0.0) || std::isnan(now)) {
        return 0;
    }
    const double gap = now - lastTime_;
    lastTime_ = now;
    // Infinite after infinite: no time is known to have passed.
    if (std::isnan(gap)) {
        return 0;
    }
    const double remaining = remaining_ - gap;
    if (remaining > 0.0) {
        remaining_ = remaining;
        return 0;
    }
    const unsigned most = std::numeric_limits<unsigned>::max();
    const double overdue = -remaining;
    if (std::isinf(overdue)) {
        remaining_ = period_;
        return most;
    }
    // fmod is exact, so the time left lies in (0, period] however small the period is against
    // the gap; the periods completed are the whole ones in the overdue time plus the one ended.
    const double partial = std::fmod(overdue, period_);
    remaining_ = period_ - partial;
    const double whole = std::nearbyint((overdue - partial) / period_) + 1.0;
    return whole < static_cast<double>(most) ? static_cast<unsigned>(whole) : most;
}

}  // namespace orvo
