#include "ui/TclSandbox.h"

#include <jim.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ui/TclLoopCommands.h"
#include "ui/TclMatchCommands.h"
#include "ui/TclPackageCommand.h"
#include "ui/TclRegexpCommands.h"
#include "ui/TclSizeCommands.h"

namespace orvo {

namespace {

// Long enough for any page's work in one update, short enough that a runaway script is noticed,
// not a freeze.
constexpr std::chrono::seconds BUDGET(1);

// Commands that reach outside the interpreter: files (source), the process environment (env)
// and the process itself (exit).
const char* const REMOVED[] = {"source", "env", "exit"};

// catch and try: a stop they caught is raised again as soon as they return, so the script goes
// on no further than its next command.
int catchingCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    const TclSandbox::Wrapped& command = TclSandbox::running(interp);
    const int code = command.callOriginal(interp, argc, argv);
    TclBudget& budget = command.sandbox->budget();
    if (budget.spent()) {
        budget.stop();
    }
    return code;
}

}  // namespace

TclSandbox::TclSandbox() : budget_(BUDGET) {}

int TclSandbox::Wrapped::callOriginal(Jim_Interp* interp, int argc, Jim_Obj* const* argv) const {
    // Commands with subcommand tables find them through the interpreter.
    interp->cmdPrivData = originalData;
    return original(interp, argc, argv);
}

int TclSandbox::Wrapped::callOriginal(
    Jim_Interp* interp, int argc, Jim_Obj* const* argv,
    std::initializer_list<std::pair<int, Jim_Obj*>> replaced) const {
    std::vector<Jim_Obj*> words(argv, argv + argc);
    for (const auto& word : replaced) {
        words[static_cast<std::size_t>(word.first)] = word.second;
        Jim_IncrRefCount(word.second);
    }
    const int code = callOriginal(interp, argc, words.data());
    for (const auto& word : replaced) {
        Jim_DecrRefCount(interp, word.second);
    }
    return code;
}

const TclSandbox::Wrapped& TclSandbox::running(Jim_Interp* interp) {
    return *static_cast<const Wrapped*>(Jim_CmdPrivData(interp));
}

void TclSandbox::wrap(Jim_Interp* interp, const char* name, Command* procedure) {
    Jim_Obj* nameObject = Jim_NewStringObj(interp, name, -1);
    Jim_IncrRefCount(nameObject);
    const Jim_Cmd* current = Jim_GetCommand(interp, nameObject, JIM_NONE);
    Jim_DecrRefCount(interp, nameObject);
    // Wrapped already (the command was not registered again), or data that the replaced command
    // would free.
    if (current == nullptr || current->isproc || current->u.native.cmdProc == procedure ||
        current->u.native.delProc != nullptr) {
        return;
    }
    auto slot = std::find_if(wrapped_.begin(), wrapped_.end(),
                             [name](const Wrapped& w) { return std::strcmp(w.name, name) == 0; });
    if (slot == wrapped_.end()) {
        wrapped_.push_back(Wrapped{name, procedure, this, nullptr, nullptr});
        slot = wrapped_.end() - 1;
    }
    slot->original = current->u.native.cmdProc;
    slot->originalData = current->u.native.privData;
    Jim_CreateCommand(interp, name, procedure, &*slot, nullptr);
}

void TclSandbox::install(Jim_Interp* interp) {
    budget_.attach(interp);
    for (const char* name : REMOVED) {
        Jim_Obj* command = Jim_NewStringObj(interp, name, -1);
        Jim_IncrRefCount(command);
        Jim_DeleteCommand(interp, command);
        Jim_DecrRefCount(interp, command);
    }
    registerTclLoopCommands(interp, &budget_);
    registerTclPackageCommand(interp);
    wrap(interp, "catch", catchingCommand);
    wrap(interp, "try", catchingCommand);
    registerTclSizeCommands(interp, *this);
    registerTclMatchCommands(interp, *this);
    registerTclRegexpCommands(interp);
}

bool TclSandbox::enterScript() {
    budget_.open();
    return scripts_++ == 0;
}

bool TclSandbox::leaveScript(int code) {
    const bool stopped = code != JIM_OK && budget_.spent();
    stops_ += stopped ? 1 : 0;
    --scripts_;
    budget_.close();
    return stopped;
}

std::string TclSandbox::stoppedText() const {
    const double seconds = std::chrono::duration<double>(budget_.getLength()).count();
    char text[80];
    std::snprintf(text, sizeof(text), "script ran longer than %g second%s and was stopped", seconds,
                  seconds == 1.0 ? "" : "s");
    return text;
}

}  // namespace orvo
