#include "ui/TclSizeCommands.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/TclSandbox.h"

namespace orvo {

namespace {

int refuse(Jim_Interp* interp, const char* command, const char* what, jim_wide most) {
    char text[160];
    std::snprintf(text, sizeof(text), "%s: result would %s %lld %s", command, what, most,
                  what[0] == 'b' ? "bytes" : "elements");
    Jim_SetResultString(interp, text, -1);
    return JIM_ERR;
}

}  // namespace

int refuseLongString(Jim_Interp* interp, const char* command) {
    return refuse(interp, command, "be longer than", TCL_MAX_STRING_BYTES);
}

int refuseLongList(Jim_Interp* interp, const char* command) {
    return refuse(interp, command, "have more than", TCL_MAX_LIST_ELEMENTS);
}

namespace {

int lrepeatCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    jim_wide count = 0;
    if (argc < 2 || Jim_GetWideExpr(interp, argv[1], &count) != JIM_OK || count < 0) {
        Jim_WrongNumArgs(interp, 1, argv, "count ?value ...?");
        return JIM_ERR;
    }
    if (argc > 2 && count > TCL_MAX_LIST_ELEMENTS / (argc - 2)) {
        return refuseLongList(interp, "lrepeat");
    }
    return TclSandbox::running(interp).callOriginal(interp, argc, argv,
                                                    {{1, Jim_NewIntObj(interp, count)}});
}

// How many values range gives, as Jim counts them; -1 for a range Jim refuses.
jim_wide rangeLength(jim_wide start, jim_wide end, jim_wide step) {
    if (step == 0 || (step > 0 && start > end) || (step < 0 && end > start)) {
        return -1;
    }
    if (start == end) {
        return 0;
    }
    typedef unsigned long long Wide;
    const Wide span = start < end ? Wide(end) - Wide(start) : Wide(start) - Wide(end);
    const Wide stride = step > 0 ? Wide(step) : Wide(0) - Wide(step);
    const Wide length = 1 + (span - 1) / stride;
    return length > Wide(TCL_MAX_LIST_ELEMENTS) ? TCL_MAX_LIST_ELEMENTS + 1
                                                : static_cast<jim_wide>(length);
}

int rangeCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    const TclSandbox::Wrapped& command = TclSandbox::running(interp);
    if (argc < 2 || argc > 4) {
        return command.callOriginal(interp, argc, argv);
    }
    // The words in Jim's order: end alone, or start, end and step.
    jim_wide values[3] = {0, 0, 1};
    jim_wide* const words[3] = {argc == 2 ? &values[1] : &values[0], &values[1], &values[2]};
    for (int i = 1; i < argc; ++i) {
        if (Jim_GetWideExpr(interp, argv[i], words[i - 1]) != JIM_OK) {
            return JIM_ERR;
        }
    }
    if (rangeLength(values[0], values[1], values[2]) > TCL_MAX_LIST_ELEMENTS) {
        return refuseLongList(interp, "range");
    }
    if (argc == 2) {
        return command.callOriginal(interp, argc, argv, {{1, Jim_NewIntObj(interp, values[1])}});
    }
    if (argc == 3) {
        return command.callOriginal(
            interp, argc, argv,
            {{1, Jim_NewIntObj(interp, values[0])}, {2, Jim_NewIntObj(interp, values[1])}});
    }
    return command.callOriginal(interp, argc, argv,
                                {{1, Jim_NewIntObj(interp, values[0])},
                                 {2, Jim_NewIntObj(interp, values[1])},
                                 {3, Jim_NewIntObj(interp, values[2])}});
}

// An upper bound of the length of format's result, walking the format string as Jim does; 0
// where Jim reports an error of its own.
jim_wide formattedLength(Jim_Interp* interp, Jim_Obj* formatObject, int objc,
                         Jim_Obj* const* objv) {
    int formatLength = 0;
    const char* format = Jim_GetString(formatObject, &formatLength);
    const char* const formatEnd = format + formatLength;
    jim_wide total = 0;
    int index = 0;
    bool positional = false;
    bool sequential = false;
    // A width or precision taken from the next argument.
    const auto star = [&](long* value) {
        if (index >= objc - 1 || Jim_GetLong(interp, objv[index], value) != JIM_OK) {
            return false;
        }
        ++index;
        ++format;
        return true;
    };
    while (format != formatEnd && total <= TCL_MAX_STRING_BYTES) {
        if (*format++ != '%') {
            ++total;
            continue;
        }
        if (*format == '%') {
            ++format;
            ++total;
            continue;
        }
        char* end = nullptr;
        bool xpg = false;
        if (std::isdigit(static_cast<unsigned char>(*format))) {
            const long position = static_cast<long>(std::strtoul(format, &end, 10));
            if (*end == '$') {
                xpg = true;
                index = static_cast<int>(position - 1);
                format = end + 1;
            }
        }
        // Jim refuses the two kinds mixed.
        if ((xpg && sequential) || (!xpg && positional)) {
            return 0;
        }
        positional = positional || xpg;
        sequential = sequential || !xpg;
        if (index < 0 || index >= objc) {
            return 0;
        }
        for (int flags = 0;
             flags < 5 && *format != '\0' && std::strchr("-0 +#", *format) != nullptr; ++flags) {
            ++format;
        }
        long width = 0;
        if (std::isdigit(static_cast<unsigned char>(*format))) {
            // As Jim reads it: a number too large for its type pads nothing.
            width = std::max(0L, static_cast<long>(std::strtoul(format, &end, 10)));
            format = end;
        } else if (*format == '*') {
            if (!star(&width)) {
                return 0;
            }
            width = width == LONG_MIN ? LONG_MAX : std::labs(width);
        }
        bool withPrecision = false;
        long precision = -1;
        if (*format == '.') {
            withPrecision = true;
            ++format;
        }
        if (std::isdigit(static_cast<unsigned char>(*format))) {
            precision = static_cast<long>(std::strtoul(format, &end, 10));
            format = end;
        } else if (*format == '*' && !star(&precision)) {
            return 0;
        }
        if (*format == 'h') {
            ++format;
        } else if (*format == 'l') {
            format += format[1] == 'l' ? 2 : 1;
        }
        jim_wide field = 0;
        switch (*format++) {
            case 's':
                field = Jim_Length(objv[index]);
                if (withPrecision && precision >= 0) {
                    field = std::min<jim_wide>(field, precision);
                }
                break;
            case 'c':
            case 'b':
                field = 64;
                break;
            case 'd':
            case 'i':
            case 'u':
            case 'o':
            case 'x':
            case 'X':
            case 'e':
            case 'E':
            case 'f':
            case 'g':
            case 'G':
                // Jim refuses widths and precisions above 10000 for numbers.
                field = 20400;
                break;
            default:
                return 0;
        }
        total += std::max<jim_wide>(field, width);
        index += sequential ? 1 : 0;
    }
    return total;
}

int formatCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    if (argc >= 2 && formattedLength(interp, argv[1], argc - 2, argv + 2) > TCL_MAX_STRING_BYTES) {
        return refuseLongString(interp, "format");
    }
    return TclSandbox::running(interp).callOriginal(interp, argc, argv);
}

int packCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    const TclSandbox::Wrapped& command = TclSandbox::running(interp);
    static const char* const OPTIONS[] = {"-intle",   "-intbe", "-floatle",
                                          "-floatbe", "-str",   nullptr};
    enum { INT_LE, INT_BE, FLOAT_LE, FLOAT_BE, STRING };
    int option = 0;
    if ((argc != 5 && argc != 6) ||
        Jim_GetEnum(interp, argv[3], OPTIONS, &option, nullptr, JIM_NONE) != JIM_OK) {
        return command.callOriginal(interp, argc, argv);
    }
    // Worked out in Jim's order, so that errors and the expressions' effects come as in Jim.
    jim_wide value = 0;
    if ((option == INT_LE || option == INT_BE) &&
        Jim_GetWideExpr(interp, argv[2], &value) != JIM_OK) {
        return JIM_ERR;
    }
    double floating = 0.0;
    if ((option == FLOAT_LE || option == FLOAT_BE) &&
        Jim_GetDouble(interp, argv[2], &floating) != JIM_OK) {
        return JIM_ERR;
    }
    jim_wide width = 0;
    jim_wide offset = 0;
    if (Jim_GetWideExpr(interp, argv[4], &width) != JIM_OK ||
        (argc == 6 && Jim_GetWideExpr(interp, argv[5], &offset) != JIM_OK)) {
        return JIM_ERR;
    }
    // Jim checks the width and the offset itself; only a valid pair can be too far out.
    const jim_wide bits = TCL_MAX_STRING_BYTES * 8;
    if (width > 0 && width <= bits && offset >= 0 && offset > bits - width) {
        return refuseLongString(interp, "pack");
    }
    Jim_Obj* const valueWord =
        option == INT_LE || option == INT_BE ? Jim_NewIntObj(interp, value) : argv[2];
    if (argc == 5) {
        return command.callOriginal(interp, argc, argv,
                                    {{2, valueWord}, {4, Jim_NewIntObj(interp, width)}});
    }
    return command.callOriginal(
        interp, argc, argv,
        {{2, valueWord}, {4, Jim_NewIntObj(interp, width)}, {5, Jim_NewIntObj(interp, offset)}});
}

int joinCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    if (argc == 2 || argc == 3) {
        const jim_wide count = Jim_ListLength(interp, argv[1]);
        const jim_wide separator = argc == 3 ? Jim_Length(argv[2]) : 1;
        jim_wide total = count > 1 && separator > 0 ? (count - 1 > TCL_MAX_STRING_BYTES / separator
                                                           ? TCL_MAX_STRING_BYTES + 1
                                                           : (count - 1) * separator)
                                                    : 0;
        for (int i = 0; i < count && total <= TCL_MAX_STRING_BYTES; ++i) {
            total += Jim_Length(Jim_ListGetIndex(interp, argv[1], i));
        }
        if (total > TCL_MAX_STRING_BYTES) {
            return refuseLongString(interp, "join");
        }
    }
    return TclSandbox::running(interp).callOriginal(interp, argc, argv);
}

}  // namespace

void registerTclSizeCommands(Jim_Interp* interp, TclSandbox& sandbox) {
    sandbox.wrap(interp, "lrepeat", lrepeatCommand);
    sandbox.wrap(interp, "range", rangeCommand);
    sandbox.wrap(interp, "format", formatCommand);
    sandbox.wrap(interp, "pack", packCommand);
    sandbox.wrap(interp, "join", joinCommand);
}

}  // namespace orvo
