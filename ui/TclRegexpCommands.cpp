#include "ui/TclRegexpCommands.h"

#include <jim.h>

#include <climits>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "ui/TclRegexp.h"

namespace orvo {

namespace {

enum CompileFlags { NOCASE = 1, NEWLINE = 2 };

// Jim's regsub asks for this many groups.
const int SUBSTITUTED_GROUPS = 50;

void freeRegexp(Jim_Interp*, Jim_Obj* object) {
    delete static_cast<TclRegexp*>(object->internalRep.ptrIntValue.ptr);
}

// A copy is a plain string again and compiles its own: the two must not share one.
void copyRegexp(Jim_Interp*, Jim_Obj*, Jim_Obj* copy) { copy->typePtr = nullptr; }

Jim_ObjType REGEXP_TYPE = {"page-regexp", freeRegexp, copyRegexp, nullptr, JIM_TYPE_NONE};

// The pattern compiled with flags, kept in the object as Jim keeps its own; null with the error
// as the result.
const TclRegexp* compiled(Jim_Interp* interp, Jim_Obj* pattern, int flags, Jim_Obj* command) {
    if (pattern->typePtr == &REGEXP_TYPE && pattern->internalRep.ptrIntValue.int1 == flags) {
        return static_cast<const TclRegexp*>(pattern->internalRep.ptrIntValue.ptr);
    }
    TclRegexp* regexp = new (std::nothrow)
        TclRegexp(Jim_String(pattern), (flags & NOCASE) != 0, (flags & NEWLINE) != 0);
    if (regexp == nullptr) {
        Jim_SetResultString(interp, "couldn't compile regular expression pattern: out of memory",
                            -1);
        return nullptr;
    }
    if (!regexp->error().empty()) {
        if (regexp->error() == TclRegexp::TOO_DEEP) {
            Jim_SetResultFormatted(interp, "%#s: %s", command, TclRegexp::TOO_DEEP);
        } else {
            Jim_SetResultFormatted(interp, "couldn't compile regular expression pattern: %s",
                                   regexp->error().c_str());
        }
        delete regexp;
        return nullptr;
    }
    Jim_FreeIntRep(interp, pattern);
    pattern->typePtr = &REGEXP_TYPE;
    pattern->internalRep.ptrIntValue.ptr = regexp;
    pattern->internalRep.ptrIntValue.int1 = flags;
    return regexp;
}

int usage(Jim_Interp* interp, Jim_Obj* const* argv, const char* text) {
    Jim_WrongNumArgs(interp, 1, argv, text);
    return JIM_ERR;
}

int matchingFailed(Jim_Interp* interp, const std::string& failure) {
    Jim_SetResultFormatted(interp, "error while matching pattern: %s", failure.c_str());
    return JIM_ERR;
}

// The options before the pattern, as Jim reads them; false with an error result.
struct Options {
    bool indices = false;
    bool all = false;
    bool inlined = false;
    int flags = 0;
    int start = 0;
    // The pattern's word, its text, and the text it is matched against.
    int pattern = 1;
    const char* patternText = nullptr;
    const char* source = nullptr;
    int sourceLength = 0;
};

enum Option { INDICES, NOCASE_OPTION, LINE, ALL, INLINE, START, END };

bool readOptions(Jim_Interp* interp, int argc, Jim_Obj* const* argv, const char* const* table,
                 const int* meaning, const char* usageText, Options& options) {
    int& i = options.pattern;
    for (; i < argc; ++i) {
        if (*Jim_String(argv[i]) != '-') {
            break;
        }
        int index = 0;
        if (Jim_GetEnum(interp, argv[i], table, &index, "switch", JIM_ERRMSG | JIM_ENUM_ABBREV) !=
            JIM_OK) {
            return false;
        }
        switch (meaning[index]) {
            case END:
                ++i;
                return true;
            case INDICES:
                options.indices = true;
                break;
            case NOCASE_OPTION:
                options.flags |= NOCASE;
                break;
            case LINE:
                options.flags |= NEWLINE;
                break;
            case ALL:
                options.all = true;
                break;
            case INLINE:
                options.inlined = true;
                break;
            case START:
                if (++i == argc) {
                    usage(interp, argv, usageText);
                    return false;
                }
                if (Jim_GetIndex(interp, argv[i], &options.start) != JIM_OK) {
                    return false;
                }
                break;
            default:
                break;
        }
    }
    return true;
}

// How a command reads its words: its options, then fewest to most words from the pattern on.
struct Syntax {
    const char* const* table;
    const int* meaning;
    const char* usage;
    int fewest;
    int most;
};

// The options read and the pattern compiled; null with the error (or usage) as the result.
const TclRegexp* prepare(Jim_Interp* interp, int argc, Jim_Obj* const* argv, const Syntax& syntax,
                         Options& options) {
    if (argc < 1 + syntax.fewest) {
        usage(interp, argv, syntax.usage);
        return nullptr;
    }
    if (!readOptions(interp, argc, argv, syntax.table, syntax.meaning, syntax.usage, options)) {
        return nullptr;
    }
    const int words = argc - options.pattern;
    if (words < syntax.fewest || words > syntax.most) {
        usage(interp, argv, syntax.usage);
        return nullptr;
    }
    options.patternText = Jim_String(argv[options.pattern]);
    options.source = Jim_GetString(argv[options.pattern + 1], &options.sourceLength);
    return compiled(interp, argv[options.pattern], options.flags, argv[0]);
}

int regexpCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    static const char* const TABLE[] = {"-indices", "-nocase", "-line", "-all",
                                        "-inline",  "-start",  "--",    nullptr};
    static const int MEANING[] = {INDICES, NOCASE_OPTION, LINE, ALL, INLINE, START, END};
    static const Syntax SYNTAX = {
        TABLE, MEANING, "?-switch ...? exp string ?matchVar? ?subMatchVar ...?", 2, INT_MAX};
    Options options;
    const TclRegexp* regexp = prepare(interp, argc, argv, SYNTAX, options);
    if (regexp == nullptr) {
        return JIM_ERR;
    }
    const int first = options.pattern;
    const char* const pattern = options.patternText;
    const int length = options.sourceLength;
    const char* source = options.source;
    int wanted = argc - first - 2;
    if (options.inlined) {
        if (wanted > 0) {
            Jim_SetResultString(interp, "regexp match variables not allowed when using -inline",
                                -1);
            return JIM_ERR;
        }
        wanted = regexp->groups() + 1;
    }
    int offset = options.start;
    bool notAtStart = false;
    if (offset != 0) {
        offset += offset < 0 ? length + 1 : 0;
        source += offset > length ? length : offset > 0 ? offset : 0;
        notAtStart = true;
    }
    Jim_Obj* const list = options.inlined ? Jim_NewListObj(interp, nullptr, 0) : nullptr;
    int matches = 0;
    int code = JIM_OK;
    std::vector<TclRegexp::Span> spans;
    std::string failure;
    for (;;) {
        const int found = regexp->match(source, notAtStart, wanted + 1, spans, failure);
        if (found < 0) {
            code = matchingFailed(interp, failure);
            break;
        }
        if (found == 0) {
            break;
        }
        ++matches;
        // With -all and no -inline only the count matters.
        for (int j = 0, word = first + 2;
             !(options.all && !options.inlined) && (options.inlined ? j < wanted : word < argc);
             ++j, ++word) {
            const TclRegexp::Span& span = spans[static_cast<std::size_t>(j)];
            Jim_Obj* value = options.indices ? Jim_NewListObj(interp, nullptr, 0)
                                             : Jim_NewStringObj(interp, "", 0);
            if (options.indices) {
                const bool took = span.start != -1;
                Jim_ListAppendElement(interp, value,
                                      Jim_NewIntObj(interp, took ? offset + span.start : -1));
                Jim_ListAppendElement(interp, value,
                                      Jim_NewIntObj(interp, took ? offset + span.end - 1 : -1));
            } else if (span.start != -1) {
                Jim_AppendString(interp, value, source + span.start, span.end - span.start);
            }
            if (options.inlined) {
                Jim_ListAppendElement(interp, list, value);
                continue;
            }
            Jim_IncrRefCount(value);
            code = Jim_SetVariable(interp, argv[word], value);
            Jim_DecrRefCount(interp, value);
            if (code != JIM_OK) {
                break;
            }
        }
        // An anchored pattern (without -line) matches once.
        if (!options.all || (pattern[0] == '^' && !(options.flags & NEWLINE)) || *source == '\0') {
            break;
        }
        const int step = spans[0].end > 0 ? spans[0].end : 1;
        offset += step;
        source += step;
        if (*source == '\0') {
            break;
        }
        notAtStart = true;
    }
    if (code != JIM_OK) {
        if (list != nullptr) {
            Jim_FreeNewObj(interp, list);
        }
        return code;
    }
    if (options.inlined) {
        Jim_SetResult(interp, list);
    } else {
        Jim_SetResultInt(interp, matches);
    }
    return JIM_OK;
}

// subSpec with & and \0 to \9 standing for the match and its groups.
void substitute(Jim_Interp* interp, Jim_Obj* result, const char* replace, int length,
                const char* matched, const std::vector<TclRegexp::Span>& spans) {
    for (int j = 0; j < length; ++j) {
        int index = 0;
        char c = replace[j];
        if (c == '\\') {
            c = replace[++j];
            if (c >= '0' && c <= '9') {
                index = c - '0';
            } else if (c == '\\' || c == '&') {
                Jim_AppendString(interp, result, replace + j, 1);
                continue;
            } else {
                // A trailing backslash stands for itself, any other one with its character.
                Jim_AppendString(interp, result, replace + j - 1, j == length ? 1 : 2);
                continue;
            }
        } else if (c != '&') {
            Jim_AppendString(interp, result, replace + j, 1);
            continue;
        }
        const TclRegexp::Span& span = spans[static_cast<std::size_t>(index)];
        if (span.start != -1 && span.end != -1) {
            Jim_AppendString(interp, result, matched + span.start, span.end - span.start);
        }
    }
}

int regsubCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    static const char* const TABLE[] = {"-nocase", "-line", "-all", "-start", "--", nullptr};
    static const int MEANING[] = {NOCASE_OPTION, LINE, ALL, START, END};
    static const Syntax SYNTAX = {TABLE, MEANING, "?-switch ...? exp string subSpec ?varName?", 3,
                                  4};
    Options options;
    const TclRegexp* regexp = prepare(interp, argc, argv, SYNTAX, options);
    if (regexp == nullptr) {
        return JIM_ERR;
    }
    const int first = options.pattern;
    const char* const pattern = options.patternText;
    const int length = options.sourceLength;
    const char* const source = options.source;
    int replaceLength = 0;
    const char* const replace = Jim_GetString(argv[first + 2], &replaceLength);
    Jim_Obj* const result = Jim_NewStringObj(interp, "", 0);
    int offset = options.start;
    if (offset != 0) {
        offset += offset < 0 ? length + 1 : 0;
        offset = offset > length ? length : offset < 0 ? 0 : offset;
    }
    Jim_AppendString(interp, result, source, offset);
    int left = length - offset;
    const char* p = source + offset;
    bool notAtStart = false;
    int matches = 0;
    // Where the last match was empty at the start of the rest of the text.
    const char* emptyAt = nullptr;
    std::vector<TclRegexp::Span> spans;
    std::string failure;
    for (bool again = true; again;) {
        const int found = regexp->match(p, notAtStart, SUBSTITUTED_GROUPS, spans, failure);
        if (found < 0) {
            Jim_FreeNewObj(interp, result);
            return matchingFailed(interp, failure);
        }
        if (found == 0) {
            break;
        }
        const int start = spans[0].start;
        const int end = spans[0].end;
        if (end == 0 && p == emptyAt) {
            // Jim 0.81 would match the same empty string here for ever: step over a character.
            if (left == 0) {
                break;
            }
            Jim_AppendString(interp, result, p, 1);
            ++p;
            --left;
            notAtStart = false;
            emptyAt = nullptr;
            continue;
        }
        ++matches;
        Jim_AppendString(interp, result, p, start);
        substitute(interp, result, replace, replaceLength, p, spans);
        emptyAt = end == 0 ? p : nullptr;
        p += end;
        left -= end;
        if (!options.all || left == 0 || (!(options.flags & NEWLINE) && pattern[0] == '^')) {
            break;
        }
        // The empty pattern steps on by itself.
        if (pattern[0] == '\0') {
            Jim_AppendString(interp, result, p, 1);
            ++p;
            --left;
        }
        notAtStart = end == start;
        again = left > 0;
    }
    // As Jim: the rest up to its first NUL.
    Jim_AppendString(interp, result, p, -1);
    if (argc - first == 4) {
        Jim_IncrRefCount(result);
        const int code = Jim_SetVariable(interp, argv[first + 3], result);
        Jim_DecrRefCount(interp, result);
        if (code != JIM_OK) {
            return code;
        }
        Jim_SetResultInt(interp, matches);
        return JIM_OK;
    }
    Jim_SetResult(interp, result);
    return JIM_OK;
}

}  // namespace

void registerTclRegexpCommands(Jim_Interp* interp) {
    Jim_CreateCommand(interp, "regexp", regexpCommand, nullptr, nullptr);
    Jim_CreateCommand(interp, "regsub", regsubCommand, nullptr, nullptr);
}

}  // namespace orvo
