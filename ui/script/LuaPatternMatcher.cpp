#include "ui/script/LuaPatternMatcher.h"

#include <cctype>
#include <cstring>

#include "ui/script/LuaInstructionBudget.h"

namespace orvo {

namespace {

constexpr char ESCAPE = '%';
constexpr std::ptrdiff_t UNFINISHED = -1;
constexpr std::ptrdiff_t POSITION = -2;
// Work is charged in batches, each of which reads the clock.
constexpr unsigned long BATCH = LuaInstructionBudget::INTERVAL;

int byte(char c) { return static_cast<unsigned char>(c); }

// %a, %d, ... (upper case: the complement); any other character stands for itself.
bool matchClass(int c, int name) {
    bool in = false;
    switch (std::tolower(name)) {
        case 'a':
            in = std::isalpha(c);
            break;
        case 'c':
            in = std::iscntrl(c);
            break;
        case 'd':
            in = std::isdigit(c);
            break;
        case 'l':
            in = std::islower(c);
            break;
        case 'p':
            in = std::ispunct(c);
            break;
        case 's':
            in = std::isspace(c);
            break;
        case 'u':
            in = std::isupper(c);
            break;
        case 'w':
            in = std::isalnum(c);
            break;
        case 'x':
            in = std::isxdigit(c);
            break;
        case 'z':
            in = c == 0;
            break;
        default:
            return name == c;
    }
    return std::islower(name) ? in : !in;
}

// A set [...] from p (its '[') to last (its ']').
bool matchSet(int c, const char* p, const char* last) {
    bool in = true;
    if (*(p + 1) == '^') {
        in = false;
        ++p;
    }
    while (++p < last) {
        if (*p == ESCAPE) {
            ++p;
            if (matchClass(c, byte(*p))) {
                return in;
            }
        } else if (*(p + 1) == '-' && p + 2 < last) {
            p += 2;
            if (byte(*(p - 2)) <= c && c <= byte(*p)) {
                return in;
            }
        } else if (byte(*p) == c) {
            return in;
        }
    }
    return !in;
}

}  // namespace

LuaPatternMatcher::LuaPatternMatcher(lua_State* state, const char* subject, std::size_t size)
    : state_(state), subject_(subject), end_(subject + size), level_(0), captures_(), work_(0) {}

const char* LuaPatternMatcher::match(const char* start, const char* pattern) {
    level_ = 0;
    return matchFrom(start, pattern);
}

void LuaPatternMatcher::charge() {
    const unsigned long work = work_;
    work_ = 0;
    LuaInstructionBudget::charge(state_, work);
}

void LuaPatternMatcher::spend(std::size_t work) {
    work_ += work;
    if (work_ >= BATCH) {
        charge();
    }
}

const char* LuaPatternMatcher::matchFrom(const char* s, const char* p) {
    for (;;) {
        spend(1);
        switch (*p) {
            case '\0':
                return s;
            case '(':
                if (*(p + 1) == ')') {
                    return startCapture(s, p + 2, POSITION);
                }
                return startCapture(s, p + 1, UNFINISHED);
            case ')':
                return endCapture(s, p + 1);
            case '$':
                if (*(p + 1) == '\0') {
                    return s == end_ ? s : nullptr;
                }
                break;
            case ESCAPE:
                if (*(p + 1) == 'b') {
                    s = matchBalance(s, p + 2);
                    p += 4;
                } else if (*(p + 1) == 'f') {
                    p += 2;
                    if (*p != '[') {
                        luaL_error(state_, "missing '[' after '%%f' in pattern");
                    }
                    const char* classEnd = endOfClass(p);
                    s = matchFrontier(s, p, classEnd - 1);
                    p = classEnd;
                } else if (std::isdigit(byte(*(p + 1)))) {
                    s = matchBackReference(s, byte(*(p + 1)));
                    p += 2;
                } else {
                    break;
                }
                if (s == nullptr) {
                    return nullptr;
                }
                continue;
            default:
                break;
        }
        // A single character class, maybe repeated.
        const char* classEnd = endOfClass(p);
        const bool matched = s < end_ && singleMatch(s, p, classEnd);
        switch (*classEnd) {
            case '?':
                if (matched) {
                    const char* end = matchFrom(s + 1, classEnd + 1);
                    if (end != nullptr) {
                        return end;
                    }
                }
                p = classEnd + 1;
                continue;
            case '*':
                return maxExpand(s, p, classEnd);
            case '+':
                return matched ? maxExpand(s + 1, p, classEnd) : nullptr;
            case '-':
                return minExpand(s, p, classEnd);
            default:
                if (!matched) {
                    return nullptr;
                }
                ++s;
                p = classEnd;
                continue;
        }
    }
}

const char* LuaPatternMatcher::maxExpand(const char* s, const char* p, const char* classEnd) {
    std::ptrdiff_t count = 0;
    while (s + count < end_ && singleMatch(s + count, p, classEnd)) {
        ++count;
    }
    // The longest run first, then shorter ones.
    for (; count >= 0; --count) {
        const char* end = matchFrom(s + count, classEnd + 1);
        if (end != nullptr) {
            return end;
        }
    }
    return nullptr;
}

const char* LuaPatternMatcher::minExpand(const char* s, const char* p, const char* classEnd) {
    for (;;) {
        const char* end = matchFrom(s, classEnd + 1);
        if (end != nullptr) {
            return end;
        }
        if (s < end_ && singleMatch(s, p, classEnd)) {
            ++s;
        } else {
            return nullptr;
        }
    }
}

const char* LuaPatternMatcher::startCapture(const char* s, const char* p, std::ptrdiff_t what) {
    if (level_ >= LUA_MAXCAPTURES) {
        luaL_error(state_, "too many captures");
    }
    captures_[level_].start = s;
    captures_[level_].length = what;
    ++level_;
    const char* end = matchFrom(s, p);
    if (end == nullptr) {
        --level_;
    }
    return end;
}

const char* LuaPatternMatcher::endCapture(const char* s, const char* p) {
    Capture& capture = captures_[captureToClose()];
    capture.length = s - capture.start;
    const char* end = matchFrom(s, p);
    if (end == nullptr) {
        capture.length = UNFINISHED;
    }
    return end;
}

int LuaPatternMatcher::captureToClose() {
    for (int level = level_ - 1; level >= 0; --level) {
        if (captures_[level].length == UNFINISHED) {
            return level;
        }
    }
    return luaL_error(state_, "invalid pattern capture");
}

// %bxy: a run from x to its balancing y.
const char* LuaPatternMatcher::matchBalance(const char* s, const char* p) {
    if (*p == '\0' || *(p + 1) == '\0') {
        luaL_error(state_, "unbalanced pattern");
    }
    if (s >= end_ || *s != *p) {
        return nullptr;
    }
    const char open = *p;
    const char close = *(p + 1);
    const char* start = s;
    int depth = 1;
    while (++s < end_) {
        if (*s == close) {
            if (--depth == 0) {
                spend(static_cast<std::size_t>(s - start));
                return s + 1;
            }
        } else if (*s == open) {
            ++depth;
        }
    }
    spend(static_cast<std::size_t>(s - start));
    return nullptr;
}

// %f[set] (p to last): where the character before s is not in the set and the one at s is (the
// subject's ends counting as zero bytes).
const char* LuaPatternMatcher::matchFrontier(const char* s, const char* p, const char* last) {
    spend(2 * static_cast<std::size_t>(last - p));
    const int previous = s == subject_ ? 0 : byte(*(s - 1));
    const int current = s < end_ ? byte(*s) : 0;
    if (matchSet(previous, p, last) || !matchSet(current, p, last)) {
        return nullptr;
    }
    return s;
}

// %1 to %9: the text of an earlier capture again.
const char* LuaPatternMatcher::matchBackReference(const char* s, int digit) {
    const int index = digit - '1';
    if (index < 0 || index >= level_ || captures_[index].length == UNFINISHED) {
        luaL_error(state_, "invalid capture index");
    }
    // A position capture has no text: its length, seen as a size, fits nowhere.
    const std::size_t length = static_cast<std::size_t>(captures_[index].length);
    if (static_cast<std::size_t>(end_ - s) < length) {
        return nullptr;
    }
    spend(length);
    return std::memcmp(captures_[index].start, s, length) == 0 ? s + length : nullptr;
}

// Past the class at p: a character, %x or a set.
const char* LuaPatternMatcher::endOfClass(const char* p) {
    switch (*p++) {
        case ESCAPE:
            if (*p == '\0') {
                luaL_error(state_, "malformed pattern (ends with '%%')");
            }
            return p + 1;
        case '[':
            if (*p == '^') {
                ++p;
            }
            // The first character is in the set even when it is ']'.
            do {
                if (*p == '\0') {
                    luaL_error(state_, "malformed pattern (missing ']')");
                }
                if (*(p++) == ESCAPE && *p != '\0') {
                    ++p;
                }
            } while (*p != ']');
            return p + 1;
        default:
            return p;
    }
}

bool LuaPatternMatcher::singleMatch(const char* s, const char* p, const char* classEnd) {
    spend(static_cast<std::size_t>(classEnd - p));
    const int c = byte(*s);
    switch (*p) {
        case '.':
            return true;
        case ESCAPE:
            return matchClass(c, byte(*(p + 1)));
        case '[':
            return matchSet(c, p, classEnd - 1);
        default:
            return byte(*p) == c;
    }
}

int LuaPatternMatcher::pushCaptures(const char* start, const char* end) {
    const int count = level_ == 0 && start != nullptr ? 1 : level_;
    luaL_checkstack(state_, count, "too many captures");
    for (int i = 0; i < count; ++i) {
        pushCapture(i, start, end);
    }
    return count;
}

void LuaPatternMatcher::pushCapture(int index, const char* start, const char* end) {
    if (index >= level_) {
        if (index != 0) {
            luaL_error(state_, "invalid capture index");
        }
        lua_pushlstring(state_, start, static_cast<std::size_t>(end - start));
        return;
    }
    const Capture& capture = captures_[index];
    if (capture.length == UNFINISHED) {
        luaL_error(state_, "unfinished capture");
    }
    if (capture.length == POSITION) {
        lua_pushinteger(state_, capture.start - subject_ + 1);
    } else {
        lua_pushlstring(state_, capture.start, static_cast<std::size_t>(capture.length));
    }
}

}  // namespace orvo
