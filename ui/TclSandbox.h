#pragma once

#include <chrono>

struct Jim_Interp;

namespace orvo {

// What a document script may reach: nothing outside the interpreter (no file, environment,
// process or native code), and no more than a second of time per script. Every native command
// checks the budget before it runs, and every loop and procedure body starts with a check (a loop
// with an empty body runs no command); once it is spent the check raises a signal that ends the
// evaluation command by command, through catch. Regular expressions whose groups nest deeper than
// the compiler's recursion can take are refused. Main thread only.
class TclSandbox {
public:
    // The name of the check; scripts can neither define, rename nor delete it.
    static const char* const BUDGET_COMMAND;
    // What a stopped evaluation's log line says.
    static const char* const STOPPED;

    TclSandbox() = default;
    TclSandbox(const TclSandbox&) = delete;
    TclSandbox& operator=(const TclSandbox&) = delete;

    // After the core commands and extensions are registered (again).
    void install(Jim_Interp* interp);

    // Around every evaluation; a nested one shares the budget of the outermost. enter is true for
    // the outermost.
    bool enter(Jim_Interp* interp);
    void leave(Jim_Interp* interp);
    // The evaluation running (or ended last) was stopped for running past its budget.
    bool stopped() const { return stopped_; }

    // Called by the check: true once the budget of the running evaluation is spent.
    bool spent();

private:
    std::chrono::steady_clock::time_point deadline_;
    int depth_ = 0;
    bool stopped_ = false;
};

}  // namespace orvo
