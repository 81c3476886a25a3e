#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

struct Jim_Interp;

namespace orvo {

// The time a stretch of script work may take. The outermost window starts a budget and nested
// windows share it. Once it is spent, a watchdog thread raises the interpreter's signal mask,
// which Jim looks at after every command while a window is open (as it does for its own signal
// handling), so the running evaluation ends command by command with JIM_SIGNAL; it raises the
// mask again every millisecond until the window closes, so a catch -signal or try that clears it
// cannot keep the work going. Loops that run no command in their body ask spent() each turn.
// Windows are opened and closed on the main thread only.
class TclBudget {
public:
    typedef std::chrono::steady_clock Clock;

    explicit TclBudget(Clock::duration length);
    ~TclBudget();
    TclBudget(const TclBudget&) = delete;
    TclBudget& operator=(const TclBudget&) = delete;

    // The interpreter whose mask the budget raises; starts the watchdog.
    void attach(Jim_Interp* interp);

    void open();
    void close();
    bool isOpen() const { return windows_ > 0; }
    // The budget of the open window is spent (false outside windows).
    bool spent();
    // Raises the mask and returns the code that ends an evaluation.
    int stop();
    // For a window opened later.
    void setLength(Clock::duration length) { length_ = length; }
    Clock::duration getLength() const { return length_; }

private:
    void watch();
    void raiseMask();

    Jim_Interp* interp_ = nullptr;
    Clock::duration length_;
    int windows_ = 0;
    std::atomic<bool> spent_{false};

    // Shared with the watchdog.
    std::mutex mutex_;
    std::condition_variable wake_;
    bool armed_ = false;
    bool idle_ = false;
    bool quit_ = false;
    Clock::time_point deadline_;
    std::thread watchdog_;
};

}  // namespace orvo
