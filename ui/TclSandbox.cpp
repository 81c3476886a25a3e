#include "ui/TclSandbox.h"

#include <jim.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <new>
#include <vector>

namespace orvo {

const char* const TclSandbox::BUDGET_COMMAND = "__script_budget";
const char* const TclSandbox::STOPPED = "script ran longer than 1 second and was stopped";

namespace {

// Long enough for any page's work, short enough that a runaway script is noticed, not a freeze.
constexpr std::chrono::seconds BUDGET(1);

// Which argument of a command is a script run again and again.
enum ScriptArgument { LAST, SECOND, LAMBDA_BODY };

// The tables of these serve every interpreter of the process: what an install keeps in them is
// the same for each one, the library's own procedure with no data or with its static table.
struct Wrapped {
    const char* name;
    ScriptArgument script;
    // Fewer words are passed on unchanged, for the command's own usage error (wrapped loops).
    int words;
    Jim_CmdProc* original;
    void* privData;

    // Some commands (those with subcommand tables) find their data through the interpreter.
    int call(Jim_Interp* interp, int argc, Jim_Obj* const* argv) const {
        interp->cmdPrivData = privData;
        return original(interp, argc, argv);
    }
};

// The loops, procedures and lambdas whose bodies get the check.
Wrapped wrapped[] = {
    {"while", LAST, 3, nullptr, nullptr},   {"for", LAST, 5, nullptr, nullptr},
    {"foreach", LAST, 4, nullptr, nullptr}, {"lmap", LAST, 4, nullptr, nullptr},
    {"loop", LAST, 4, nullptr, nullptr},    {"time", SECOND, 2, nullptr, nullptr},
    {"proc", LAST, 4, nullptr, nullptr},    {"apply", LAMBDA_BODY, 2, nullptr, nullptr},
};

// Commands that reach outside the interpreter: files (source), the process environment (env)
// and the process itself (exit).
const char* const REMOVED[] = {"source", "env", "exit"};

// Commands that could take the check's name.
Wrapped namers[] = {
    {"rename", LAST, 0, nullptr, nullptr},
    {"alias", LAST, 0, nullptr, nullptr},
};

Wrapped package = {"package", LAST, 0, nullptr, nullptr};

// The regular expression compiler recurses once per nested group, so a pattern nested tens of
// thousands deep overflows the C stack. lsearch -regexp and switch -regexp call regexp by name,
// so these two see every pattern.
Wrapped matchers[] = {
    {"regexp", LAST, 0, nullptr, nullptr},
    {"regsub", LAST, 0, nullptr, nullptr},
};

// Far beyond any real pattern, far below what the stack can take.
constexpr int MAX_GROUP_NESTING = 1000;

bool isBudgetName(Jim_Obj* name) {
    const char* text = Jim_String(name);
    while (std::strncmp(text, "::", 2) == 0) {
        text += 2;
    }
    return std::strcmp(text, TclSandbox::BUDGET_COMMAND) == 0;
}

Jim_Obj* withCheck(Jim_Interp* interp, Jim_Obj* body) {
    // Global, so that a namespace's own command of that name is not the one called; on the
    // body's first line, so that its line numbers stay.
    Jim_Obj* checked = Jim_NewStringObj(interp, "::", -1);
    Jim_AppendStrings(interp, checked, TclSandbox::BUDGET_COMMAND, ";", nullptr);
    Jim_AppendObj(interp, checked, body);
    return checked;
}

Jim_Obj* lambdaWithCheck(Jim_Interp* interp, Jim_Obj* lambda) {
    const int length = Jim_ListLength(interp, lambda);
    if (length < 2) {
        return lambda;
    }
    Jim_Obj* parts[3] = {Jim_ListGetIndex(interp, lambda, 0),
                         withCheck(interp, Jim_ListGetIndex(interp, lambda, 1)),
                         length > 2 ? Jim_ListGetIndex(interp, lambda, 2) : nullptr};
    return Jim_NewListObj(interp, parts, length > 2 ? 3 : 2);
}

int refuseBudgetName(Jim_Interp* interp) {
    Jim_SetResultFormatted(interp, "command \"%s\" is reserved", TclSandbox::BUDGET_COMMAND);
    return JIM_ERR;
}

// Runs the original command with its script argument checked; argv is copied, not changed.
int wrappedCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    const Wrapped& command = *static_cast<Wrapped*>(Jim_CmdPrivData(interp));
    if (argc < command.words) {
        return command.call(interp, argc, argv);
    }
    if (std::strcmp(command.name, "proc") == 0 && isBudgetName(argv[1])) {
        return refuseBudgetName(interp);
    }
    const int at = command.script == LAST ? argc - 1 : 1;
    std::vector<Jim_Obj*> words(argv, argv + argc);
    words[at] = command.script == LAMBDA_BODY ? lambdaWithCheck(interp, argv[at])
                                              : withCheck(interp, argv[at]);
    Jim_IncrRefCount(words[at]);
    const int result = command.call(interp, argc, words.data());
    Jim_DecrRefCount(interp, words[at]);
    return result;
}

// rename and alias: the check's name is neither taken nor given away.
int namingCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    const Wrapped& command = *static_cast<Wrapped*>(Jim_CmdPrivData(interp));
    if ((argc > 1 && isBudgetName(argv[1])) ||
        (argc > 2 && std::strcmp(command.name, "rename") == 0 && isBudgetName(argv[2]))) {
        return refuseBudgetName(interp);
    }
    return command.call(interp, argc, argv);
}

// package require finds what the interpreter itself provides, never a file on auto_path.
int packageCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    const Wrapped& command = *static_cast<Wrapped*>(Jim_CmdPrivData(interp));
    if (argc >= 3 && std::strcmp(Jim_String(argv[1]), "require") == 0 &&
        Jim_FindHashEntry(&interp->packages, Jim_String(argv[2])) == nullptr) {
        Jim_SetResultFormatted(interp, "Can't load package %#s", argv[2]);
        return JIM_ERR;
    }
    return command.call(interp, argc, argv);
}

void stopIfSpent(Jim_Interp* interp, TclSandbox& sandbox) {
    if (sandbox.spent()) {
        interp->sigmask |= static_cast<jim_wide>(1) << SIGXCPU;
    }
}

// How deep the parentheses of text nest; escaped ones count too, which only overstates it.
int groupNesting(Jim_Obj* text) {
    int depth = 0;
    int deepest = 0;
    for (const char* c = Jim_String(text); *c != '\0'; ++c) {
        if (*c == '(') {
            deepest = std::max(deepest, ++depth);
        } else if (*c == ')' && depth > 0) {
            --depth;
        }
    }
    return deepest;
}

// Which argument is the pattern depends on the options, so every argument is held to the bound.
int matcherCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    const Wrapped& command = *static_cast<Wrapped*>(Jim_CmdPrivData(interp));
    for (int i = 1; i < argc; ++i) {
        if (groupNesting(argv[i]) > MAX_GROUP_NESTING) {
            Jim_SetResultFormatted(interp, "%s: parentheses nested too deep", command.name);
            return JIM_ERR;
        }
    }
    return command.call(interp, argc, argv);
}

int budgetCommand(Jim_Interp* interp, int, Jim_Obj* const*) {
    stopIfSpent(interp, *static_cast<TclSandbox*>(Jim_CmdPrivData(interp)));
    return JIM_OK;
}

// A native command that checks the budget before it runs: a script that evaluates itself over
// and over (eval, uplevel, subst, catch, if...) runs no loop or procedure body, yet must stop.
struct Checked {
    Jim_CmdProc* original;
    void* privData;
    TclSandbox* sandbox;
};

int checkedCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    const Checked& command = *static_cast<Checked*>(Jim_CmdPrivData(interp));
    stopIfSpent(interp, *command.sandbox);
    interp->cmdPrivData = command.privData;
    return command.original(interp, argc, argv);
}

void deleteChecked(Jim_Interp*, void* checked) { delete static_cast<Checked*>(checked); }

// Changed in place, so that the command keeps its name, its place and its cached lookups. A
// command with data of its own to free (checked already, or an alias) is left as it is.
void checkEveryCommand(Jim_Interp* interp, TclSandbox* sandbox) {
    Jim_HashTableIterator* iterator = Jim_GetHashTableIterator(&interp->commands);
    for (Jim_HashEntry* entry = Jim_NextHashEntry(iterator); entry != nullptr;
         entry = Jim_NextHashEntry(iterator)) {
        Jim_Cmd* command = static_cast<Jim_Cmd*>(Jim_GetHashEntryVal(entry));
        if (command->isproc || command->u.native.delProc != nullptr ||
            command->u.native.cmdProc == budgetCommand) {
            continue;
        }
        Checked* checked = new (std::nothrow)
            Checked{command->u.native.cmdProc, command->u.native.privData, sandbox};
        if (checked == nullptr) {
            continue;
        }
        command->u.native.cmdProc = checkedCommand;
        command->u.native.privData = checked;
        command->u.native.delProc = deleteChecked;
    }
    Jim_FreeHashTableIterator(iterator);
}

void wrap(Jim_Interp* interp, Wrapped& command, Jim_CmdProc* procedure) {
    Jim_Obj* name = Jim_NewStringObj(interp, command.name, -1);
    Jim_IncrRefCount(name);
    const Jim_Cmd* current = Jim_GetCommand(interp, name, JIM_NONE);
    Jim_DecrRefCount(interp, name);
    // Wrapped already (the core commands were not registered again), or data that the
    // replaced command would free.
    if (current == nullptr || current->isproc || current->u.native.cmdProc == procedure ||
        current->u.native.delProc != nullptr) {
        return;
    }
    command.original = current->u.native.cmdProc;
    command.privData = current->u.native.privData;
    Jim_CreateCommand(interp, command.name, procedure, &command, nullptr);
}

}  // namespace

void TclSandbox::install(Jim_Interp* interp) {
    for (const char* name : REMOVED) {
        Jim_Obj* command = Jim_NewStringObj(interp, name, -1);
        Jim_IncrRefCount(command);
        Jim_DeleteCommand(interp, command);
        Jim_DecrRefCount(interp, command);
    }
    for (Wrapped& command : wrapped) {
        wrap(interp, command, wrappedCommand);
    }
    for (Wrapped& command : namers) {
        wrap(interp, command, namingCommand);
    }
    wrap(interp, package, packageCommand);
    for (Wrapped& command : matchers) {
        wrap(interp, command, matcherCommand);
    }
    Jim_CreateCommand(interp, BUDGET_COMMAND, budgetCommand, this, nullptr);
    checkEveryCommand(interp, this);
}

bool TclSandbox::enter(Jim_Interp* interp) {
    ++interp->signal_level;
    if (depth_++ > 0) {
        return false;
    }
    stopped_ = false;
    deadline_ = std::chrono::steady_clock::now() + BUDGET;
    return true;
}

void TclSandbox::leave(Jim_Interp* interp) {
    --interp->signal_level;
    if (--depth_ == 0) {
        // Ours alone: no real signal reaches this interpreter.
        interp->sigmask = 0;
    }
}

bool TclSandbox::spent() {
    if (depth_ > 0 && !stopped_ && std::chrono::steady_clock::now() >= deadline_) {
        stopped_ = true;
    }
    return depth_ > 0 && stopped_;
}

}  // namespace orvo
