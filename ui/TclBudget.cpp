#include "ui/TclBudget.h"

#include <jim.h>

#include <csignal>
#include <system_error>

namespace orvo {

namespace {

// The interpreter has no signal handling of its own (the signal extension is not loaded), so
// this bit of the mask is ours alone.
constexpr jim_wide STOP_BIT = static_cast<jim_wide>(1) << SIGXCPU;

// How soon a stop that a script cleared is raised again.
constexpr std::chrono::milliseconds RAISE_AGAIN(1);

}  // namespace

TclBudget::TclBudget(Clock::duration length) : length_(length) {}

TclBudget::~TclBudget() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    if (watchdog_.joinable()) {
        watchdog_.join();
    }
}

void TclBudget::attach(Jim_Interp* interp) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        interp_ = interp;
    }
    if (watchdog_.joinable()) {
        return;
    }
    try {
        watchdog_ = std::thread(&TclBudget::watch, this);
    } catch (const std::system_error&) {
        // Without the thread, loops still stop by the clock; code that loops through
        // procedures alone does not.
    }
}

void TclBudget::open() {
    if (windows_++ > 0 || interp_ == nullptr) {
        return;
    }
    ++interp_->signal_level;
    bool wasIdle = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        deadline_ = Clock::now() + length_;
        armed_ = true;
        spent_.store(false, std::memory_order_relaxed);
        wasIdle = idle_;
    }
    if (wasIdle) {
        wake_.notify_one();
    }
}

void TclBudget::close() {
    if (windows_ == 0 || --windows_ > 0 || interp_ == nullptr) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        armed_ = false;
        spent_.store(false, std::memory_order_relaxed);
    }
    // No raise can follow: the watchdog raises only while armed.
    __atomic_store_n(&interp_->sigmask, 0, __ATOMIC_RELAXED);
    --interp_->signal_level;
}

bool TclBudget::spent() {
    if (windows_ == 0) {
        return false;
    }
    // The loops see the deadline themselves, without waiting for the watchdog to wake.
    if (!spent_.load(std::memory_order_relaxed) && Clock::now() >= deadline_) {
        spent_.store(true, std::memory_order_relaxed);
    }
    return spent_.load(std::memory_order_relaxed);
}

int TclBudget::stop() {
    raiseMask();
    return JIM_SIGNAL;
}

void TclBudget::raiseMask() {
    // Jim reads the mask without synchronisation, as it does when its own signal handlers write
    // it; an aligned word, written whole.
    __atomic_fetch_or(&interp_->sigmask, STOP_BIT, __ATOMIC_RELAXED);
}

void TclBudget::watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
        if (!armed_) {
            idle_ = true;
            wake_.wait(lock);
            idle_ = false;
        } else if (Clock::now() < deadline_) {
            // A later window moves the deadline; this wakes at the old one and waits again.
            wake_.wait_until(lock, deadline_);
        } else {
            spent_.store(true, std::memory_order_relaxed);
            raiseMask();
            wake_.wait_for(lock, RAISE_AGAIN);
        }
    }
}

}  // namespace orvo
