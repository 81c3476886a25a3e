#pragma once

#include <deque>
#include <initializer_list>
#include <string>
#include <utility>

#include "ui/TclBudget.h"

struct Jim_Interp;
struct Jim_Obj;

namespace orvo {

// What a document script may reach: nothing outside the interpreter (no file, environment,
// process or native code), and no more than a second of time per UI update, shared by every
// script of the update (events, timers, page loads); a script outside an update has a second of
// its own. Scripts are never rewritten: the budget ends them through the interpreter's signal
// mask (see TclBudget). Single calls that would take minutes or all the memory are bounded:
// large results of string repeat, lrepeat, range, format, pack and join are refused, and glob
// and regular expression matching cannot backtrack without end. Main thread only.
class TclSandbox {
public:
    TclSandbox();
    TclSandbox(const TclSandbox&) = delete;
    TclSandbox& operator=(const TclSandbox&) = delete;

    // After the core commands and extensions are registered (again).
    void install(Jim_Interp* interp);

    // Every script that runs between these shares one budget.
    void beginUpdate() { budget_.open(); }
    void endUpdate() { budget_.close(); }
    // Around every script; enterScript is true for the outermost one. leaveScript tells whether
    // the script, which ended with code, was stopped.
    bool enterScript();
    bool leaveScript(int code);
    // The budget of the running update or script is spent: what starts now is stopped.
    bool spent() { return budget_.spent(); }
    // How many scripts were stopped so far.
    unsigned stops() const { return stops_; }
    // What the log line of a stopped script says.
    std::string stoppedText() const;
    void setBudget(TclBudget::Clock::duration length) { budget_.setLength(length); }

    // A command of the sandbox in front of the interpreter's own command of that name: its
    // private data, through which it reaches the original.
    typedef int Command(Jim_Interp* interp, int argc, Jim_Obj* const* argv);
    struct Wrapped {
        const char* name;
        Command* procedure;
        TclSandbox* sandbox;
        Command* original;
        void* originalData;

        int callOriginal(Jim_Interp* interp, int argc, Jim_Obj* const* argv) const;
        // The same with some words replaced (by values already worked out), as pairs of the
        // word's index and its new object.
        int callOriginal(Jim_Interp* interp, int argc, Jim_Obj* const* argv,
                         std::initializer_list<std::pair<int, Jim_Obj*>> replaced) const;
    };
    // The wrapper running now.
    static const Wrapped& running(Jim_Interp* interp);
    // Puts procedure in front of the command name (again after the command was registered anew).
    void wrap(Jim_Interp* interp, const char* name, Command* procedure);
    TclBudget& budget() { return budget_; }

private:
    TclBudget budget_;
    int scripts_ = 0;
    unsigned stops_ = 0;
    // Stable addresses: the interpreter holds them.
    std::deque<Wrapped> wrapped_;
};

}  // namespace orvo
