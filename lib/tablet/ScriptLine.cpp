#include "lib/tablet/ScriptLine.h"

#include <climits>
#include <vector>

#include "lib/tablet/navigator.h"

namespace tablet {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) ++i;
        size_t start = i;
        while (i < line.size() && !isBlank(line[i])) ++i;
        if (i > start) fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

// Decimal digits with an optional '-', within [low, high]; no other characters.
bool parseNumber(std::string_view text, long long low, long long high, long long& value) {
    bool negative = !text.empty() && text[0] == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty()) return false;
    unsigned long long magnitude = 0;
    constexpr unsigned long long kLimit = static_cast<unsigned long long>(LLONG_MAX);
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        unsigned digit = static_cast<unsigned>(c - '0');
        // Checked before the step: twenty digits would wrap around to a small, valid value.
        if (magnitude > (kLimit - digit) / 10) return false;
        magnitude = magnitude * 10 + digit;
    }
    value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    return value >= low && value <= high;
}

bool parseInt(std::string_view text, int& value) {
    long long v = 0;
    if (!parseNumber(text, INT_MIN, INT_MAX, v)) return false;
    value = static_cast<int>(v);
    return true;
}

bool parseUnsigned(std::string_view text, unsigned int& value) {
    long long v = 0;
    if (!parseNumber(text, 0, UINT_MAX, v)) return false;
    value = static_cast<unsigned int>(v);
    return true;
}

int touchType(std::string_view kind) {
    if (kind == "touch") return SCREEN_EVENT_MTOUCH_TOUCH;
    if (kind == "move") return SCREEN_EVENT_MTOUCH_MOVE;
    if (kind == "release") return SCREEN_EVENT_MTOUCH_RELEASE;
    return 0;
}

int windowState(std::string_view name) {
    if (name == "fullscreen") return NAVIGATOR_WINDOW_FULLSCREEN;
    if (name == "thumbnail") return NAVIGATOR_WINDOW_THUMBNAIL;
    if (name == "invisible") return NAVIGATOR_WINDOW_INVISIBLE;
    return -1;
}

}  // namespace

ScriptLine::Result ScriptLine::parse(std::string_view line, unsigned long long& drain,
                                     ScriptAction& action, std::string& error) {
    std::vector<std::string_view> fields = splitFields(line);
    if (fields.empty() || fields[0][0] == '#') return Result::Empty;

    long long drainValue = 0;
    if (!parseNumber(fields[0], 0, LLONG_MAX, drainValue)) {
        error = "bad drain number";
        return Result::Bad;
    }
    if (fields.size() < 2) {
        error = "no event kind";
        return Result::Bad;
    }
    std::string_view kind = fields[1];
    size_t argc = fields.size() - 2;
    const std::string_view* args = fields.data() + 2;
    bps_event_t& event = action.event;
    action.kind = ScriptAction::Kind::Event;
    action.path.clear();

    if (int type = touchType(kind)) {
        int id = 0, x = 0, y = 0;
        if (argc != 3 || !parseInt(args[0], id) || !parseInt(args[1], x) || !parseInt(args[2], y)) {
            error = "expected <id> <x> <y>";
            return Result::Bad;
        }
        event = makeScreenEvent(type, id, x, y);
    } else if (kind == "window") {
        int state = argc == 1 ? windowState(args[0]) : -1;
        if (state < 0) {
            error = "expected fullscreen, thumbnail or invisible";
            return Result::Bad;
        }
        event = makeWindowStateEvent(state);
    } else if (kind == "navigator") {
        unsigned int code = 0;
        if (argc != 1 || !parseUnsigned(args[0], code)) {
            error = "expected <code>";
            return Result::Bad;
        }
        event = makeNavigatorEvent(code);
    } else if (kind == "event") {
        int domain = 0;
        unsigned int code = 0;
        if (argc != 2 || !parseInt(args[0], domain) || !parseUnsigned(args[1], code)) {
            error = "expected <domain> <code>";
            return Result::Bad;
        }
        event = makeEvent(domain, code);
    } else if (kind == "close") {
        if (argc != 0) {
            error = "expected nothing after close";
            return Result::Bad;
        }
        action.kind = ScriptAction::Kind::Close;
    } else if (kind == "screenshot") {
        if (argc != 1) {
            error = "expected <path>";
            return Result::Bad;
        }
        action.kind = ScriptAction::Kind::Screenshot;
        action.path = std::string(args[0]);
    } else {
        error = "unknown event kind";
        return Result::Bad;
    }
    drain = static_cast<unsigned long long>(drainValue);
    return Result::Action;
}

}  // namespace tablet
