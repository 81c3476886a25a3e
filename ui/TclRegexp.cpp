#include "ui/TclRegexp.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <bitset>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orvo {

namespace {

// Jim's error numbers and texts.
enum Error {
    NONE = 0,
    TOO_BIG = 5,
    UNMATCHED_PAREN = 8,
    UNMATCHED_BRACES = 9,
    BAD_COUNT = 10,
    JUNK_ON_END = 11,
    OPERAND_COULD_BE_EMPTY = 12,
    NESTED_COUNT = 13,
    INTERNAL = 14,
    COUNT_FOLLOWS_NOTHING = 15,
    INVALID_ESCAPE = 16,
    NULL_CHAR = 18,
    UNMATCHED_BRACKET = 19,
    // Ours: the reader would recurse too deep.
    TOO_DEEP = 20,
};

const char* const MESSAGES[] = {
    "success",
    "no match",
    "bad pattern",
    "null argument",
    "unknown error",
    "too big",
    "out of memory",
    "too many ()",
    "parentheses () not balanced",
    "braces {} not balanced",
    "invalid repetition count(s)",
    "extra characters",
    "*+ of empty atom",
    "nested count",
    "internal error",
    "count follows nothing",
    "invalid escape \\ sequence",
    "corrupted program",
    "contains null char",
    "brackets [] not balanced",
    "parentheses nested too deep",
};

// What Jim's reader knows of a piece of pattern.
enum Flags { WORST = 0, HAS_WIDTH = 1, SIMPLE = 2, STARTS_WITH_REPEAT = 4 };

// Jim's bound for an open-ended count.
constexpr int MAX_REPEAT = 1000000;
// Jim refuses counts from 100 up.
constexpr int MAX_COUNT = 100;
// Jim refuses more capturing groups.
constexpr int MAX_GROUPS = 100;

// Stands for \A, which is written out in two forms.
const char START_MARK = '\x01';
// Follows the parenthesis of a capturing group. Every group is written as a capturing one: PCRE2
// takes a few hundred nested (?: groups at most, but a thousand capturing ones; the groups that
// Jim numbers are told apart by this mark.
const char CAPTURE_MARK = '\x02';

// How long a match may search before it fails with an error: some tens of milliseconds.
constexpr std::uint32_t MATCH_LIMIT = 1000000;

bool isRepeat(char c) { return c == '*' || c == '+' || c == '?' || c == '{'; }

int hexValue(int c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Up to count hex digits; how many were read (the value only when some were).
int readHex(const char* s, int count, int* value) {
    int result = 0;
    int k = 0;
    for (; k < count; ++k) {
        const int digit = hexValue(static_cast<unsigned char>(s[k]));
        if (digit < 0) {
            break;
        }
        result =
            static_cast<int>((static_cast<unsigned>(result) << 4) | static_cast<unsigned>(digit));
    }
    if (k > 0) {
        *value = result;
    }
    return k;
}

// The character after a backslash, as Jim decodes it; the bytes it took.
int decodeEscape(const char* s, int* ch) {
    const char* const first = s;
    *ch = static_cast<unsigned char>(*s++);
    int n = 0;
    switch (*ch) {
        case 'b':
            *ch = '\b';
            break;
        case 'e':
            *ch = 27;
            break;
        case 'f':
            *ch = '\f';
            break;
        case 'n':
            *ch = '\n';
            break;
        case 'r':
            *ch = '\r';
            break;
        case 't':
            *ch = '\t';
            break;
        case 'v':
            *ch = '\v';
            break;
        case 'u':
            if (*s == '{') {
                n = readHex(s + 1, 6, ch);
                if (n > 0 && s[n + 1] == '}' && *ch >= 0 && *ch <= 0x1fffff) {
                    s += n + 2;
                } else {
                    *ch = 'u';
                }
            } else if ((n = readHex(s, 4, ch)) > 0) {
                s += n;
            }
            break;
        case 'U':
            if ((n = readHex(s, 8, ch)) > 0) {
                s += n;
            }
            break;
        case 'x':
            if ((n = readHex(s, 2, ch)) > 0) {
                s += n;
            }
            break;
        case '\0':
            --s;
            *ch = '\\';
            break;
        default:
            break;
    }
    return static_cast<int>(s - first);
}

typedef std::bitset<256> Bytes;

void appendByte(std::string& out, unsigned b) {
    char text[8];
    std::snprintf(text, sizeof(text), "\\x{%02x}", b);
    out += text;
}

// The bytes as one PCRE2 item that matches one of them (or nothing).
void appendBytes(std::string& out, const Bytes& bytes) {
    if (bytes.none()) {
        out += "(?!)";
        return;
    }
    if (bytes.count() == 1) {
        for (unsigned b = 0; b < 256; ++b) {
            if (bytes.test(b)) {
                if (std::isalnum(static_cast<int>(b)) && b < 128) {
                    out += static_cast<char>(b);
                } else {
                    appendByte(out, b);
                }
            }
        }
        return;
    }
    out += '[';
    for (unsigned b = 0; b < 256; ++b) {
        if (!bytes.test(b)) {
            continue;
        }
        unsigned last = b;
        while (last + 1 < 256 && bytes.test(last + 1)) {
            ++last;
        }
        appendByte(out, b);
        if (last > b) {
            out += '-';
            appendByte(out, last);
        }
        b = last;
    }
    out += ']';
}

}  // namespace

// Reads a pattern the way Jim's compiler does (the same grammar, the same errors in the same
// order) and writes the PCRE2 pattern that matches what Jim's program would.
class TclRegexp::Reader {
public:
    Reader(const char* pattern, bool nocase, bool newline)
        : p_(pattern), nocase_(nocase), newline_(newline) {}

    int read() {
        int flags = 0;
        if (!group(false, &flags)) {
            return error_;
        }
        return groups_ >= MAX_GROUPS ? TOO_BIG : NONE;
    }

    std::string out;
    int groups_ = 0;
    bool anchored = false;

private:
    int fold(int c) const { return nocase_ ? std::toupper(c) : c; }

    bool fail(int error) {
        error_ = error;
        return false;
    }

    // The bytes of the text that Jim compares equal to a set built of (folded) characters: Jim
    // folds the text's character before the comparison, and never matches the end of a line.
    Bytes textBytes(const Bytes& set, bool negated) const {
        Bytes bytes;
        for (unsigned b = 1; b < 256; ++b) {
            const bool in = set.test(static_cast<std::size_t>(fold(static_cast<int>(b))));
            bytes.set(b, in != negated && !(newline_ && b == '\n'));
        }
        return bytes;
    }

    static void addRange(Bytes& set, int lower, int upper) {
        if (lower > upper) {
            std::swap(lower, upper);
        }
        for (int c = std::max(lower, 0); c <= std::min(upper, 255); ++c) {
            set.set(static_cast<std::size_t>(c));
        }
    }

    static void addAll(Bytes& set, const char* characters) {
        for (; *characters != '\0'; ++characters) {
            addRange(set, static_cast<unsigned char>(*characters),
                     static_cast<unsigned char>(*characters));
        }
    }

    enum Class {
        ALPHA,
        ALNUM,
        SPACE,
        BLANK,
        UPPER,
        LOWER,
        DIGIT,
        XDIGIT,
        CNTRL,
        GRAPH,
        PRINT,
        PUNCT,
        CLASSES
    };

    void addClass(Bytes& set, int which) const {
        switch (which) {
            case ALNUM:
                addRange(set, '0', '9');
                // Jim folds to upper case: lower case letters would never match.
                if (!nocase_) {
                    addRange(set, 'a', 'z');
                }
                addRange(set, 'A', 'Z');
                break;
            case ALPHA:
                if (!nocase_) {
                    addRange(set, 'a', 'z');
                }
                addRange(set, 'A', 'Z');
                break;
            case SPACE:
                addAll(set, " \t\r\n\f\v");
                break;
            case BLANK:
                addAll(set, " \t");
                break;
            case UPPER:
                addRange(set, 'A', 'Z');
                break;
            case LOWER:
                addRange(set, 'a', 'z');
                break;
            case XDIGIT:
                addRange(set, 'a', 'f');
                addRange(set, 'A', 'F');
                addRange(set, '0', '9');
                break;
            case DIGIT:
                addRange(set, '0', '9');
                break;
            case CNTRL:
                addRange(set, 0, 31);
                addRange(set, 127, 127);
                break;
            case PRINT:
                addRange(set, ' ', '~');
                break;
            case GRAPH:
                addRange(set, '!', '~');
                break;
            case PUNCT:
                addRange(set, '!', '/');
                addRange(set, ':', '@');
                addRange(set, '[', '`');
                addRange(set, '{', '~');
                break;
            default:
                break;
        }
    }

    // A parenthesised group (or the whole pattern): branches separated by '|'.
    bool group(bool parenthesised, int* flags) {
        *flags = HAS_WIDTH;
        if (parenthesised) {
            if (++depth_ > MAX_NESTING) {
                return fail(Error::TOO_DEEP);
            }
            out += '(';
            if (p_[0] == '?' && p_[1] == ':') {
                p_ += 2;
            } else {
                ++groups_;
                out += CAPTURE_MARK;
            }
        }
        // The group has width when every branch has; it starts with a repeat when one does.
        for (bool first = true; first || *p_ == '|'; first = false) {
            if (!first) {
                ++p_;
                out += '|';
                anchored = anchored && parenthesised;
            }
            int branchFlags = 0;
            if (!branch(&branchFlags, first && !parenthesised)) {
                return false;
            }
            *flags = (branchFlags & HAS_WIDTH) ? *flags : (*flags & ~HAS_WIDTH);
            *flags |= branchFlags & STARTS_WITH_REPEAT;
        }
        if (parenthesised) {
            if (*p_++ != ')') {
                return fail(UNMATCHED_PAREN);
            }
            out += ')';
            --depth_;
        } else if (*p_ != '\0') {
            return fail(*p_ == ')' ? UNMATCHED_PAREN : JUNK_ON_END);
        }
        return true;
    }

    // Pieces up to '|', ')' or the end. The first branch of the whole pattern tells whether it
    // starts with a plain ^.
    bool branch(int* flags, bool firstOfPattern) {
        *flags = WORST;
        bool first = true;
        while (*p_ != '\0' && *p_ != ')' && *p_ != '|') {
            int pieceFlags = 0;
            bool plainStart = false;
            if (!piece(&pieceFlags, &plainStart)) {
                return false;
            }
            *flags |= pieceFlags & HAS_WIDTH;
            if (first) {
                *flags |= pieceFlags & STARTS_WITH_REPEAT;
                anchored = firstOfPattern ? plainStart : anchored;
                first = false;
            }
        }
        return true;
    }

    // An atom and its repeat, if any.
    bool piece(int* flags, bool* plainStart) {
        const std::size_t atomStart = out.size();
        int atomFlags = 0;
        if (!atom(&atomFlags, plainStart)) {
            return false;
        }
        const char op = *p_;
        if (!isRepeat(op)) {
            *flags = atomFlags;
            return true;
        }
        *plainStart = false;
        if (!(atomFlags & HAS_WIDTH) && op != '?') {
            return fail(OPERAND_COULD_BE_EMPTY);
        }
        int min = 0;
        int max = 0;
        if (op == '{') {
            char* end = nullptr;
            min = static_cast<int>(std::strtoul(p_ + 1, &end, 10));
            if (end == p_ + 1) {
                return fail(BAD_COUNT);
            }
            if (*end == '}') {
                max = min;
            } else if (*end == '\0') {
                return fail(UNMATCHED_BRACES);
            } else {
                p_ = end;
                max = static_cast<int>(std::strtoul(p_ + 1, &end, 10));
                if (*end != '}') {
                    return fail(UNMATCHED_BRACES);
                }
            }
            if (end == p_ + 1) {
                max = MAX_REPEAT;
            } else if (max < min || max >= MAX_COUNT) {
                return fail(BAD_COUNT);
            }
            // Jim takes a count that wraps to a negative number, and reads before the text.
            if (min >= MAX_COUNT || min < 0 || max < 0) {
                return fail(BAD_COUNT);
            }
            p_ = std::strchr(p_, '}');
        } else {
            min = op == '+' ? 1 : 0;
            max = op == '?' ? 1 : MAX_REPEAT;
        }
        const bool lazy = p_[1] == '?';
        p_ += lazy ? 2 : 1;
        if (isRepeat(*p_)) {
            return fail(NESTED_COUNT);
        }
        // A group or a set takes the count itself; an assertion (or what never matches) would
        // count at most once, so it goes in a group.
        if (out.compare(atomStart, 2, "(?") == 0 || out[atomStart] == '\\' ||
            out[atomStart] == START_MARK) {
            out.insert(atomStart, "(?:");
            out += ')';
        }
        char count[32];
        if (max == MAX_REPEAT) {
            std::snprintf(count, sizeof(count), "{%d,}", min);
        } else if (min == max) {
            std::snprintf(count, sizeof(count), "{%d}", min);
        } else {
            std::snprintf(count, sizeof(count), "{%d,%d}", min, max);
        }
        out += count;
        out += lazy ? "?" : "";
        *flags = min > 0 ? (WORST | HAS_WIDTH) : (WORST | STARTS_WITH_REPEAT);
        return true;
    }

    // Word characters as Jim's \m and \M see them: ahead (folded) and behind (as they are).
    Bytes wordBytes(bool folded) const {
        Bytes bytes;
        for (unsigned b = 1; b < 256; ++b) {
            const int c = folded ? fold(static_cast<int>(b)) : static_cast<int>(b);
            bytes.set(b, std::isalnum(c) || c == '_');
        }
        return bytes;
    }

    bool atom(int* flags, bool* plainStart) {
        *flags = WORST;
        *plainStart = false;
        switch (*p_) {
            case '^':
                ++p_;
                out += "\\A";
                *plainStart = true;
                return true;
            case '$':
                ++p_;
                out += newline_ ? "(?=\\n|\\z)" : "\\z";
                return true;
            case '.': {
                ++p_;
                Bytes all;
                all.set();
                appendBytes(out, textBytes(all, false));
                *flags |= HAS_WIDTH | SIMPLE;
                return true;
            }
            case '[':
                ++p_;
                if (!set()) {
                    return false;
                }
                *flags |= HAS_WIDTH | SIMPLE;
                return true;
            case '(': {
                ++p_;
                int groupFlags = 0;
                if (!group(true, &groupFlags)) {
                    return false;
                }
                *flags |= groupFlags & (HAS_WIDTH | STARTS_WITH_REPEAT);
                return true;
            }
            case '\0':
            case '|':
            case ')':
                return fail(INTERNAL);
            case '?':
            case '+':
            case '*':
            case '{':
                return fail(COUNT_FOLLOWS_NOTHING);
            case '\\':
                return escape(flags);
            default:
                return literal(flags);
        }
    }

    bool escape(int* flags) {
        const char which = p_[1];
        Bytes set;
        switch (which) {
            case '\0':
                return fail(INVALID_ESCAPE);
            case 'A':
                out += START_MARK;
                break;
            case 'Z':
                out += "\\z";
                break;
            case '<':
            case 'm':
                out += "(?<!";
                appendBytes(out, wordBytes(false));
                out += ")(?=";
                appendBytes(out, wordBytes(true));
                out += ')';
                break;
            case '>':
            case 'M':
                // Jim's test for what follows is always true.
                out += "(?<=";
                appendBytes(out, wordBytes(false));
                out += ')';
                break;
            case 'd':
            case 'D':
            case 'w':
            case 'W':
            case 's':
            case 'S':
                if (which == 'd' || which == 'D') {
                    addClass(set, DIGIT);
                } else if (which == 'w' || which == 'W') {
                    addClass(set, ALPHA);
                    addRange(set, '0', '9');
                    addRange(set, '_', '_');
                } else {
                    addClass(set, SPACE);
                }
                appendBytes(out, textBytes(set, std::isupper(static_cast<unsigned char>(which))));
                *flags |= HAS_WIDTH | SIMPLE;
                break;
            default:
                return literal(flags);
        }
        p_ += 2;
        return true;
    }

    // A run of ordinary characters; the last one stands alone when a repeat follows it.
    bool literal(int* flags) {
        static const char META[] = "^$.[()|?{+*";
        std::vector<int> characters;
        while (*p_ != '\0' && std::strchr(META, *p_) == nullptr) {
            int n = 1;
            int ch = fold(static_cast<unsigned char>(*p_));
            if (*p_ == '\\' && p_[1] != '\0') {
                if (std::strchr("<>mMwWdDsSAZ", p_[1]) != nullptr) {
                    break;
                }
                n += decodeEscape(p_ + 1, &ch);
                if (ch == 0) {
                    return fail(NULL_CHAR);
                }
            }
            if (isRepeat(p_[n])) {
                if (!characters.empty()) {
                    break;
                }
                characters.push_back(ch);
                p_ += n;
                break;
            }
            characters.push_back(ch);
            p_ += n;
        }
        if (characters.empty()) {
            return fail(INTERNAL);
        }
        for (const int ch : characters) {
            Bytes one;
            addRange(one, ch, ch);
            // A decoded escape is not folded: under -nocase it may match nothing.
            Bytes bytes;
            for (unsigned b = 1; b < 256; ++b) {
                bytes.set(b, one.test(static_cast<std::size_t>(fold(static_cast<int>(b)))));
            }
            appendBytes(out, bytes);
        }
        *flags |= HAS_WIDTH | (characters.size() == 1 ? SIMPLE : 0);
        return true;
    }

    // After '[': a set, as Jim reads it.
    bool set() {
        static const char* const NAMES[CLASSES] = {
            ":alpha:", ":alnum:",  ":space:", ":blank:", ":upper:", ":lower:",
            ":digit:", ":xdigit:", ":cntrl:", ":graph:", ":print:", ":punct:"};
        static const Class ORDER[CLASSES] = {ALPHA, ALNUM,  SPACE, BLANK, UPPER, LOWER,
                                             DIGIT, XDIGIT, CNTRL, GRAPH, PRINT, PUNCT};
        const char* q = p_;
        const bool negated = *q == '^';
        q += negated ? 1 : 0;
        Bytes set;
        if (*q == ']' || *q == '-') {
            addRange(set, static_cast<unsigned char>(*q), static_cast<unsigned char>(*q));
            ++q;
        }
        while (*q != ']') {
            if (*q == '\0') {
                return fail(UNMATCHED_BRACKET);
            }
            int start = fold(static_cast<unsigned char>(*q++));
            if (start == '\\') {
                const char shorthand = *q;
                if (shorthand == 's' || shorthand == 'd' || shorthand == 'w') {
                    ++q;
                    if (shorthand == 'w') {
                        addRange(set, '_', '_');
                    }
                    addClass(set, shorthand == 's' ? SPACE : shorthand == 'd' ? DIGIT : ALNUM);
                    continue;
                }
                q += decodeEscape(q, &start);
                if (start == 0) {
                    return fail(NULL_CHAR);
                }
                if (start == '\\' && *q == '\0') {
                    return fail(INVALID_ESCAPE);
                }
            }
            if (q[0] == '-' && q[1] != '\0' && q[1] != ']') {
                ++q;
                int end = fold(static_cast<unsigned char>(*q++));
                if (end == '\\') {
                    q += decodeEscape(q, &end);
                    if (end == 0) {
                        return fail(NULL_CHAR);
                    }
                    // Jim tests the start of the range here.
                    if (start == '\\' && *q == '\0') {
                        return fail(INVALID_ESCAPE);
                    }
                }
                addRange(set, start, end);
                continue;
            }
            if (start == '[' && q[0] == ':') {
                int which = 0;
                for (; which < CLASSES; ++which) {
                    const std::size_t length = std::strlen(NAMES[which]);
                    if (std::strncmp(q, NAMES[which], length) == 0) {
                        // Jim steps over the closing ']' without looking at it.
                        q += length + 1;
                        break;
                    }
                }
                if (which < CLASSES) {
                    addClass(set, ORDER[which]);
                    continue;
                }
            }
            addRange(set, start, start);
        }
        p_ = q + 1;
        appendBytes(out, textBytes(set, negated));
        return true;
    }

    const char* p_;
    bool nocase_;
    bool newline_;
    int depth_ = 0;
    int error_ = NONE;
};

const char* const TclRegexp::TOO_DEEP = MESSAGES[Error::TOO_DEEP];

TclRegexp::TclRegexp(const char* pattern, bool nocase, bool newline) : newline_(newline) {
    Reader reader(pattern, nocase, newline);
    const int error = reader.read();
    if (error != NONE) {
        error_ = MESSAGES[error];
        return;
    }
    groups_ = reader.groups_;
    anchoredAtLines_ = reader.anchored;
    // Which PCRE2 group holds each of Jim's groups.
    std::string written;
    int opened = 0;
    for (std::size_t i = 0; i < reader.out.size(); ++i) {
        const char c = reader.out[i];
        if (c == CAPTURE_MARK) {
            groupOf_.push_back(opened);
            continue;
        }
        opened += c == '(' && reader.out[i + 1] != '?' ? 1 : 0;
        written += c;
    }
    pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
    pcre2_set_parens_nest_limit(context, MAX_NESTING + 10);
    for (int notAtStart = 0; notAtStart < 2 && error_.empty(); ++notAtStart) {
        std::string text = written;
        for (std::size_t at = text.find(START_MARK); at != std::string::npos;
             at = text.find(START_MARK, at)) {
            text.replace(at, 1, notAtStart ? "(?!)" : "\\A");
        }
        int code = 0;
        PCRE2_SIZE offset = 0;
        code_[notAtStart] =
            pcre2_compile(reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(),
                          PCRE2_NEVER_UTF | PCRE2_NEVER_UCP, &code, &offset, context);
        if (code_[notAtStart] == nullptr) {
            PCRE2_UCHAR message[256];
            pcre2_get_error_message(code, message, sizeof(message));
            error_ = reinterpret_cast<const char*>(message);
        }
    }
    pcre2_compile_context_free(context);
}

TclRegexp::~TclRegexp() {
    pcre2_code_free(code_[0]);
    pcre2_code_free(code_[1]);
}

int TclRegexp::match(const char* text, bool notAtStart, int wanted, std::vector<Span>& spans,
                     std::string& failure) const {
    spans.assign(static_cast<std::size_t>(wanted), Span{-1, -1});
    const pcre2_code* code = code_[notAtStart ? 1 : 0];
    if (code == nullptr) {
        failure = error_;
        return -1;
    }
    if (!anchoredAtLines_) {
        return run(code, groupOf_, text, std::strlen(text), 0, false, spans, failure);
    }
    // As Jim: at the start (unless told it is none), then with -line at each line's start.
    const char* line = text;
    if (!notAtStart) {
        const int result = run(code, groupOf_, line, std::strlen(line), 0, true, spans, failure);
        if (result != 0 || *line == '\0') {
            return result;
        }
    }
    while (newline_ && (line = std::strchr(line, '\n')) != nullptr) {
        ++line;
        const int result = run(code, groupOf_, line, std::strlen(line),
                               static_cast<int>(line - text), true, spans, failure);
        if (result != 0) {
            return result;
        }
    }
    return 0;
}

int TclRegexp::run(const pcre2_code* code, const std::vector<int>& groupOf, const char* subject,
                   std::size_t length, int base, bool anchored, std::vector<Span>& spans,
                   std::string& failure) {
    pcre2_match_data* data = pcre2_match_data_create_from_pattern(code, nullptr);
    pcre2_match_context* context = pcre2_match_context_create(nullptr);
    if (data == nullptr || context == nullptr) {
        pcre2_match_data_free(data);
        pcre2_match_context_free(context);
        failure = "out of memory";
        return -1;
    }
    pcre2_set_match_limit(context, MATCH_LIMIT);
    const int result = pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(subject), length, 0,
                                   anchored ? PCRE2_ANCHORED : 0, data, context);
    int outcome = 0;
    if (result > 0) {
        const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(data);
        const std::size_t pairs = pcre2_get_ovector_count(data);
        for (std::size_t i = 0; i < spans.size(); ++i) {
            const std::size_t group = i == 0 ? 0
                                      : i <= groupOf.size()
                                          ? static_cast<std::size_t>(groupOf[i - 1])
                                          : pairs;
            if (group < pairs && vector[2 * group] != PCRE2_UNSET) {
                spans[i] = Span{static_cast<int>(vector[2 * group]) + base,
                                static_cast<int>(vector[2 * group + 1]) + base};
            }
        }
        outcome = 1;
    } else if (result != PCRE2_ERROR_NOMATCH) {
        PCRE2_UCHAR message[256];
        pcre2_get_error_message(result, message, sizeof(message));
        failure = reinterpret_cast<const char*>(message);
        outcome = -1;
    }
    pcre2_match_context_free(context);
    pcre2_match_data_free(data);
    return outcome;
}

}  // namespace orvo
