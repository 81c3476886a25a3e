#include "ui/TclLoopCommands.h"

#include <jim.h>

#include <chrono>
#include <vector>

#include "ui/TclBudget.h"

namespace orvo {

namespace {

TclBudget& budgetOf(Jim_Interp* interp) {
    return *static_cast<TclBudget*>(Jim_CmdPrivData(interp));
}

int usage(Jim_Interp* interp, Jim_Obj* const* argv, const char* text) {
    Jim_WrongNumArgs(interp, 1, argv, text);
    return JIM_ERR;
}

// Ends the loop: break, continue and an ordinary end give an empty result.
int finish(Jim_Interp* interp, int code) {
    if (code == JIM_OK || code == JIM_BREAK || code == JIM_CONTINUE) {
        Jim_SetEmptyResult(interp);
        return JIM_OK;
    }
    return code;
}

int setInt(Jim_Interp* interp, Jim_Obj* name, jim_wide value) {
    Jim_Obj* object = Jim_NewIntObj(interp, value);
    Jim_IncrRefCount(object);
    const int code = Jim_SetVariable(interp, name, object);
    Jim_DecrRefCount(interp, object);
    return code;
}

int whileCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    TclBudget& budget = budgetOf(interp);
    if (argc != 3) {
        return usage(interp, argv, "condition body");
    }
    for (;;) {
        if (budget.spent()) {
            return budget.stop();
        }
        int condition = 0;
        const int code = Jim_GetBoolFromExpr(interp, argv[1], &condition);
        if (code != JIM_OK) {
            return code;
        }
        if (!condition) {
            return finish(interp, JIM_OK);
        }
        const int body = Jim_EvalObj(interp, argv[2]);
        if (body != JIM_OK && body != JIM_CONTINUE) {
            return finish(interp, body);
        }
    }
}

int forCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    TclBudget& budget = budgetOf(interp);
    if (argc != 5) {
        return usage(interp, argv, "start test next body");
    }
    int code = Jim_EvalObj(interp, argv[1]);
    if (code != JIM_OK) {
        return code;
    }
    int condition = 1;
    code = Jim_GetBoolFromExpr(interp, argv[2], &condition);
    while (condition && (code == JIM_OK || code == JIM_CONTINUE)) {
        if (budget.spent()) {
            return budget.stop();
        }
        code = Jim_EvalObj(interp, argv[4]);
        if (code == JIM_OK || code == JIM_CONTINUE) {
            code = Jim_EvalObj(interp, argv[3]);
            if (code == JIM_OK || code == JIM_CONTINUE) {
                code = Jim_GetBoolFromExpr(interp, argv[2], &condition);
            }
        }
    }
    return finish(interp, code);
}

int loopCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    TclBudget& budget = budgetOf(interp);
    if (argc < 4 || argc > 6) {
        return usage(interp, argv, "var ?first? limit ?incr? body");
    }
    jim_wide i = 0;
    jim_wide limit = 0;
    jim_wide step = 1;
    int code = Jim_GetWideExpr(interp, argv[2], &i);
    if (argc > 4 && code == JIM_OK) {
        code = Jim_GetWideExpr(interp, argv[3], &limit);
    }
    if (argc > 5 && code == JIM_OK) {
        // As in Jim, an increment that is no number leaves 1.
        Jim_GetWideExpr(interp, argv[4], &step);
    }
    if (code != JIM_OK) {
        return code;
    }
    if (argc == 4) {
        limit = i;
        i = 0;
    }
    code = setInt(interp, argv[1], i);
    while (((i < limit && step > 0) || (i > limit && step < 0)) && code == JIM_OK) {
        if (budget.spent()) {
            return budget.stop();
        }
        code = Jim_EvalObj(interp, argv[argc - 1]);
        if (code == JIM_OK || code == JIM_CONTINUE) {
            // A step past the largest value would pass the limit anyway.
            if (__builtin_add_overflow(i, step, &i)) {
                code = JIM_OK;
                break;
            }
            code = setInt(interp, argv[1], i);
        }
    }
    return finish(interp, code);
}

// foreach and lmap.
int foreachOrMap(Jim_Interp* interp, int argc, Jim_Obj* const* argv, bool map) {
    TclBudget& budget = budgetOf(interp);
    if (argc < 4 || argc % 2 != 0) {
        return usage(interp, argv, "varList list ?varList list ...? script");
    }
    Jim_Obj* const script = argv[argc - 1];
    const int lists = (argc - 2) / 2;
    // argv[1 + 2k] names the variables of the values in argv[2 + 2k].
    for (int k = 0; k < lists; ++k) {
        if (Jim_ListLength(interp, argv[1 + 2 * k]) == 0) {
            Jim_SetResultString(interp, "foreach varlist is empty", -1);
            return JIM_ERR;
        }
    }
    std::vector<int> next(static_cast<std::size_t>(lists), 0);
    Jim_Obj* result = map ? Jim_NewListObj(interp, nullptr, 0) : interp->emptyObj;
    Jim_IncrRefCount(result);
    int code = JIM_OK;
    for (;;) {
        bool more = false;
        for (int k = 0; k < lists; ++k) {
            more = more || next[k] < Jim_ListLength(interp, argv[2 + 2 * k]);
        }
        if (!more) {
            break;
        }
        if (budget.spent()) {
            code = budget.stop();
            break;
        }
        for (int k = 0; k < lists && code == JIM_OK; ++k) {
            Jim_Obj* const names = argv[1 + 2 * k];
            Jim_Obj* const values = argv[2 + 2 * k];
            for (int v = 0; v < Jim_ListLength(interp, names) && code == JIM_OK; ++v) {
                // Values that run out are empty.
                Jim_Obj* value = next[k] < Jim_ListLength(interp, values)
                                     ? Jim_ListGetIndex(interp, values, next[k]++)
                                     : interp->emptyObj;
                Jim_IncrRefCount(value);
                code = Jim_SetVariable(interp, Jim_ListGetIndex(interp, names, v), value);
                Jim_DecrRefCount(interp, value);
            }
        }
        if (code != JIM_OK) {
            break;
        }
        code = Jim_EvalObj(interp, script);
        if (code == JIM_OK && map) {
            Jim_ListAppendElement(interp, result, Jim_GetResult(interp));
        } else if (code == JIM_BREAK) {
            code = JIM_OK;
            break;
        } else if (code != JIM_OK && code != JIM_CONTINUE) {
            break;
        }
        code = JIM_OK;
    }
    if (code == JIM_OK) {
        Jim_SetResult(interp, result);
    }
    Jim_DecrRefCount(interp, result);
    return code;
}

int foreachCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    return foreachOrMap(interp, argc, argv, false);
}

int lmapCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    return foreachOrMap(interp, argc, argv, true);
}

jim_wide microseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int timeCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    TclBudget& budget = budgetOf(interp);
    if (argc < 2) {
        return usage(interp, argv, "script ?count?");
    }
    long count = 1;
    if (argc == 3 && Jim_GetLong(interp, argv[2], &count) != JIM_OK) {
        return JIM_ERR;
    }
    if (count < 0) {
        return JIM_OK;
    }
    const jim_wide start = microseconds();
    for (long i = 0; i < count; ++i) {
        if (budget.spent()) {
            return budget.stop();
        }
        const int code = Jim_EvalObj(interp, argv[1]);
        if (code != JIM_OK) {
            return code;
        }
    }
    const jim_wide elapsed = microseconds() - start;
    if (static_cast<double>(elapsed) < static_cast<double>(count) * 10.0) {
        Jim_SetResult(interp, Jim_NewDoubleObj(interp, static_cast<double>(elapsed) /
                                                           static_cast<double>(count)));
    } else {
        Jim_SetResultInt(interp, count == 0 ? 0 : elapsed / count);
    }
    Jim_AppendString(interp, Jim_GetResult(interp), " microseconds per iteration", -1);
    return JIM_OK;
}

struct Loop {
    const char* name;
    Jim_CmdProc* procedure;
};

const Loop LOOPS[] = {
    {"while", whileCommand},     {"for", forCommand},   {"loop", loopCommand},
    {"foreach", foreachCommand}, {"lmap", lmapCommand}, {"time", timeCommand},
};

}  // namespace

void registerTclLoopCommands(Jim_Interp* interp, TclBudget* budget) {
    for (const Loop& loop : LOOPS) {
        Jim_CreateCommand(interp, loop.name, loop.procedure, budget, nullptr);
    }
}

}  // namespace orvo
