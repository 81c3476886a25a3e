#pragma once

namespace orvo {

// Counts the whole periods that pass between updates. Times are seconds, as from the Clock.
class Timer {
public:
    enum State { NOT_STARTED = 0, RUNNING = 1, STOPPED = 2 };

    explicit Timer(double period);

    // Running from now, with a full period ahead.
    void start(double now);
    // Stopped, with a full period ahead; counts nothing until started again.
    void stop();
    // The number of whole periods completed since the last update (or start). A timer that is
    // not running, or whose period is not positive, counts nothing.
    unsigned update(double now);

    double getPeriod() const { return period_; }
    double getRemaining() const { return remaining_; }
    State getState() const { return state_; }

private:
    double lastTime_;
    double period_;
    double remaining_;
    State state_;
};

}  // namespace orvo
