#include "ui/TclMatchCommands.h"

#include <jim.h>

#include <cstring>
#include <vector>

#include "ui/GlobPattern.h"
#include "ui/TclSandbox.h"
#include "ui/TclSizeCommands.h"

namespace orvo {

namespace {

GlobPattern globOf(Jim_Obj* pattern, bool nocase) {
    int length = 0;
    const char* text = Jim_GetString(pattern, &length);
    return GlobPattern(text, length, nocase);
}

bool globMatches(const GlobPattern& pattern, Jim_Obj* object) {
    int length = 0;
    const char* text = Jim_GetString(object, &length);
    return pattern.matches(text, length);
}

int stringMatch(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    static const char* const NOCASE[] = {"-nocase", nullptr};
    int option = 0;
    const bool nocase = argc == 5;
    if (nocase &&
        Jim_GetEnum(interp, argv[2], NOCASE, &option, nullptr, JIM_ENUM_ABBREV) != JIM_OK) {
        return TclSandbox::running(interp).callOriginal(interp, argc, argv);
    }
    Jim_SetResultBool(interp, globMatches(globOf(argv[argc - 2], nocase), argv[argc - 1]));
    return JIM_OK;
}

int stringRepeat(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    jim_wide count = 0;
    if (Jim_GetWideExpr(interp, argv[3], &count) != JIM_OK) {
        return JIM_ERR;
    }
    const jim_wide length = Jim_Length(argv[2]);
    // Jim would append the empty string count times over.
    if (count <= 0 || length == 0) {
        Jim_SetResultString(interp, "", 0);
        return JIM_OK;
    }
    if (count > TCL_MAX_STRING_BYTES / length) {
        return refuseLongString(interp, "string repeat");
    }
    return TclSandbox::running(interp).callOriginal(interp, argc, argv,
                                                    {{3, Jim_NewIntObj(interp, count)}});
}

int stringCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    // Jim's table, so that abbreviations resolve as in Jim.
    static const char* const OPTIONS[] = {
        "bytelength", "length",  "compare", "match",   "equal",  "is",
        "byterange",  "range",   "replace", "map",     "repeat", "reverse",
        "index",      "first",   "last",    "cat",     "trim",   "trimleft",
        "trimright",  "tolower", "toupper", "totitle", nullptr};
    enum { MATCH = 3, REPEAT = 10 };
    int option = 0;
    if (argc >= 2 &&
        Jim_GetEnum(interp, argv[1], OPTIONS, &option, nullptr, JIM_ENUM_ABBREV) == JIM_OK) {
        if (option == MATCH && (argc == 4 || argc == 5)) {
            return stringMatch(interp, argc, argv);
        }
        if (option == REPEAT && argc == 4) {
            return stringRepeat(interp, argc, argv);
        }
    }
    return TclSandbox::running(interp).callOriginal(interp, argc, argv);
}

// The element that the indices lead to in list, as Jim's lsearch -index finds it; null with the
// error as the result.
Jim_Obj* indexed(Jim_Interp* interp, Jim_Obj* list, Jim_Obj* indexList) {
    const int count = Jim_ListLength(interp, indexList);
    std::vector<int> indices(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (Jim_GetIndex(interp, Jim_ListGetIndex(interp, indexList, i), &indices[i]) != JIM_OK) {
            return nullptr;
        }
    }
    for (int i = 0; i < count; ++i) {
        Jim_Obj* element = Jim_ListGetIndex(interp, list, indices[i]);
        if (element == nullptr) {
            Jim_Obj* index = Jim_ListGetIndex(interp, indexList, i);
            if (indices[i] < 0 || indices[i] > Jim_ListLength(interp, list)) {
                Jim_SetResultFormatted(interp, "index \"%#s\" out of range", index);
            } else {
                Jim_SetResultFormatted(interp, "element %#s missing from sublist \"%#s\"", index,
                                       list);
            }
            return nullptr;
        }
        list = element;
    }
    return list;
}

// lsearch -glob; the other modes are Jim's own.
int lsearchCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    const TclSandbox::Wrapped& command = TclSandbox::running(interp);
    static const char* const OPTIONS[] = {"-bool",    "-not",    "-nocase", "-exact",
                                          "-glob",    "-regexp", "-all",    "-inline",
                                          "-command", "-stride", "-index",  nullptr};
    enum { BOOL, NOT, NOCASE, EXACT, GLOB, REGEXP, ALL, INLINE, COMMAND, STRIDE, INDEX };
    bool boolean = false;
    bool negate = false;
    bool nocase = false;
    bool all = false;
    bool inlined = false;
    int mode = EXACT;
    long stride = 1;
    Jim_Obj* indexList = nullptr;
    int i = 1;
    for (; i < argc - 2; ++i) {
        int option = 0;
        if (Jim_GetEnum(interp, argv[i], OPTIONS, &option, nullptr, JIM_NONE) != JIM_OK) {
            return command.callOriginal(interp, argc, argv);
        }
        switch (option) {
            case BOOL:
            case INLINE:
                boolean = option == BOOL;
                inlined = option == INLINE;
                break;
            case NOT:
                negate = true;
                break;
            case NOCASE:
                nocase = true;
                break;
            case ALL:
                all = true;
                break;
            case COMMAND:
                ++i;
                mode = COMMAND;
                break;
            case INDEX:
                indexList = argv[++i];
                break;
            case STRIDE:
                if (Jim_GetLong(interp, argv[++i], &stride) != JIM_OK || stride < 1) {
                    return command.callOriginal(interp, argc, argv);
                }
                break;
            default:
                mode = option;
                break;
        }
    }
    if (mode != GLOB || argc - i < 2) {
        return command.callOriginal(interp, argc, argv);
    }
    Jim_Obj* const list = argv[i];
    const int length = Jim_ListLength(interp, list);
    if (length % stride != 0) {
        Jim_SetResultString(interp, "list size must be a multiple of the stride length", -1);
        return JIM_ERR;
    }
    const GlobPattern pattern = globOf(argv[i + 1], nocase);
    Jim_Obj* const found = all ? Jim_NewListObj(interp, nullptr, 0) : nullptr;
    const int width = static_cast<int>(stride);
    for (int at = 0; at < length; at += width) {
        // The stretch searched (list itself, or one element or a stride's sublist for -index),
        // and where in it the stretch of this position starts.
        Jim_Obj* stretch = list;
        int offset = at;
        Jim_Obj* element = nullptr;
        if (indexList != nullptr) {
            stretch = width == 1
                          ? Jim_ListGetIndex(interp, list, at)
                          : Jim_NewListObj(interp, list->internalRep.listValue.ele + at, width);
            offset = 0;
            Jim_IncrRefCount(stretch);
            element = indexed(interp, stretch, indexList);
            if (element == nullptr) {
                Jim_DecrRefCount(interp, stretch);
                if (found != nullptr) {
                    Jim_FreeNewObj(interp, found);
                }
                return JIM_ERR;
            }
        } else {
            Jim_IncrRefCount(stretch);
            element = Jim_ListGetIndex(interp, list, at);
        }
        const bool match = globMatches(pattern, element);
        if ((!boolean && match == !negate) || (boolean && (match || all))) {
            Jim_Obj* result = nullptr;
            if (boolean) {
                result = Jim_NewIntObj(interp, match != negate);
            } else if (!inlined) {
                result = Jim_NewIntObj(interp, at);
            } else if (width == 1) {
                result = element;
            } else if (all) {
                for (int k = 0; k < width; ++k) {
                    Jim_ListAppendElement(interp, found,
                                          stretch->internalRep.listValue.ele[offset + k]);
                }
            } else {
                result = Jim_NewListObj(interp, stretch->internalRep.listValue.ele + offset, width);
            }
            if (!all) {
                Jim_SetResult(interp, result);
                Jim_DecrRefCount(interp, stretch);
                return JIM_OK;
            }
            if (result != nullptr) {
                Jim_ListAppendElement(interp, found, result);
            }
        }
        Jim_DecrRefCount(interp, stretch);
    }
    if (all) {
        Jim_SetResult(interp, found);
    } else if (boolean) {
        Jim_SetResultBool(interp, negate);
    } else if (!inlined) {
        Jim_SetResultInt(interp, -1);
    }
    return JIM_OK;
}

// switch -glob; the other modes are Jim's own.
int switchCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    const TclSandbox::Wrapped& command = TclSandbox::running(interp);
    // Jim tells the options apart by their first two characters.
    bool glob = false;
    int word = 1;
    for (; word < argc; ++word) {
        const char* option = Jim_String(argv[word]);
        if (*option != '-') {
            break;
        }
        if (std::strncmp(option, "--", 2) == 0) {
            ++word;
            break;
        }
        if (std::strncmp(option, "-e", 2) != 0 && std::strncmp(option, "-g", 2) != 0 &&
            std::strncmp(option, "-r", 2) != 0 && std::strncmp(option, "-c", 2) != 0) {
            return command.callOriginal(interp, argc, argv);
        }
        glob = std::strncmp(option, "-g", 2) == 0;
        word += std::strncmp(option, "-c", 2) == 0 ? 1 : 0;
        if (argc - word < 2) {
            return command.callOriginal(interp, argc, argv);
        }
    }
    if (!glob || argc - word < 2) {
        return command.callOriginal(interp, argc, argv);
    }
    Jim_Obj* const subject = argv[word++];
    // Patterns and bodies as separate words, or all in one list.
    int count = argc - word;
    Jim_Obj* const* cases = argv + word;
    if (count == 1) {
        count = Jim_ListLength(interp, argv[word]);
        cases = argv[word]->internalRep.listValue.ele;
    }
    if (count == 0 || count % 2 != 0) {
        return command.callOriginal(interp, argc, argv);
    }
    Jim_Obj* body = nullptr;
    int i = 0;
    for (; body == nullptr && i < count; i += 2) {
        // "default" is a pattern like any other, except in last place.
        if (!Jim_CompareStringImmediate(interp, cases[i], "default") || i < count - 2) {
            if (globMatches(globOf(cases[i], false), subject)) {
                body = cases[i + 1];
            }
        } else {
            body = cases[i + 1];
        }
    }
    // A body of "-" falls through to the next one.
    for (; i < count && Jim_CompareStringImmediate(interp, body, "-"); i += 2) {
        body = cases[i + 1];
    }
    if (body != nullptr && Jim_CompareStringImmediate(interp, body, "-")) {
        Jim_SetResultFormatted(interp, "no body specified for pattern \"%#s\"", cases[i - 2]);
        return JIM_ERR;
    }
    Jim_SetEmptyResult(interp);
    return body != nullptr ? Jim_EvalObj(interp, body) : JIM_OK;
}

}  // namespace

void registerTclMatchCommands(Jim_Interp* interp, TclSandbox& sandbox) {
    sandbox.wrap(interp, "string", stringCommand);
    sandbox.wrap(interp, "lsearch", lsearchCommand);
    sandbox.wrap(interp, "switch", switchCommand);
}

}  // namespace orvo
