#include "ui/GlobPattern.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

namespace orvo {

GlobPattern::GlobPattern(const char* pattern, int length, bool nocase) : nocase_(nocase) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(pattern);
    int i = 0;
    while (i < length) {
        const unsigned char c = p[i++];
        if (c == '*') {
            if (elements_.empty() || elements_.back().kind != STAR) {
                elements_.push_back({STAR, 0});
            }
        } else if (c == '?') {
            elements_.push_back({ANY, 0});
        } else if (c == '[') {
            // Up to ']' or the pattern's end; a backslash stands for itself, "a-z" (either way
            // round) for a range, and '^' has no special meaning.
            std::bitset<256> set;
            while (i < length && p[i] != ']') {
                const unsigned char start = fold(p[i++]);
                if (start != '\\' && i < length && p[i] == '-' && length - i > 1) {
                    const unsigned char end = fold(p[i + 1]);
                    i += 2;
                    for (unsigned v = std::min(start, end); v <= std::max(start, end); ++v) {
                        set.set(v);
                    }
                } else {
                    set.set(start);
                }
            }
            i += i < length ? 1 : 0;
            sets_.push_back(set);
            elements_.push_back({SET, static_cast<std::uint32_t>(sets_.size() - 1)});
        } else if (c == '\\' && i < length && p[i] != '\0') {
            elements_.push_back({CHARACTER, fold(p[i++])});
        } else {
            elements_.push_back({CHARACTER, fold(c)});
        }
    }
}

unsigned char GlobPattern::fold(unsigned char c) const {
    return nocase_ ? static_cast<unsigned char>(std::toupper(c)) : c;
}

// The text is folded already.
bool GlobPattern::matchesOne(const Element& element, unsigned char c) const {
    switch (element.kind) {
        case ANY:
            return true;
        case SET:
            return sets_[element.value].test(c);
        case CHARACTER:
            return element.value == c;
        case STAR:
            break;
    }
    return false;
}

bool GlobPattern::matchesAt(Iterator first, Iterator last, const unsigned char* text) const {
    for (; first != last; ++first, ++text) {
        if (!matchesOne(*first, *text)) {
            return false;
        }
    }
    return true;
}

long GlobPattern::find(Iterator first, Iterator last, const unsigned char* text, long from,
                       long to) const {
    if (from > to) {
        return -1;
    }
    const bool plain =
        std::all_of(first, last, [](const Element& e) { return e.kind == CHARACTER; });
    if (plain) {
        std::string needle;
        for (Iterator e = first; e != last; ++e) {
            needle.push_back(static_cast<char>(e->value));
        }
        const void* found = memmem(text + from, static_cast<std::size_t>(to - from) + needle.size(),
                                   needle.data(), needle.size());
        return found != nullptr ? static_cast<const unsigned char*>(found) - text : -1;
    }
    for (long position = from; position <= to; ++position) {
        if (matchesAt(first, last, text + position)) {
            return position;
        }
    }
    return -1;
}

bool GlobPattern::matches(const char* text, int length) const {
    std::string folded;
    const unsigned char* t = reinterpret_cast<const unsigned char*>(text);
    if (nocase_) {
        folded.assign(text, static_cast<std::size_t>(length));
        for (char& c : folded) {
            c = static_cast<char>(fold(static_cast<unsigned char>(c)));
        }
        t = reinterpret_cast<const unsigned char*>(folded.data());
    }
    const auto isStar = [](const Element& e) { return e.kind == STAR; };
    const Iterator begin = elements_.begin();
    const Iterator end = elements_.end();
    const Iterator firstStar = std::find_if(begin, end, isStar);
    if (firstStar == end) {
        return length == static_cast<long>(elements_.size()) && matchesAt(begin, end, t);
    }
    // Before the first star at the start, after the last one at the end, and each part between
    // stars leftmost in what lies between.
    const Iterator lastStar = std::find_if(elements_.rbegin(), elements_.rend(), isStar).base() - 1;
    const long head = firstStar - begin;
    const long tail = end - (lastStar + 1);
    if (length < head + tail || !matchesAt(begin, firstStar, t) ||
        !matchesAt(lastStar + 1, end, t + length - tail)) {
        return false;
    }
    long position = head;
    const long limit = length - tail;
    for (Iterator part = firstStar + 1; part < lastStar;) {
        const Iterator partEnd = std::find_if(part, lastStar, isStar);
        const long size = partEnd - part;
        const long found = find(part, partEnd, t, position, limit - size);
        if (found < 0) {
            return false;
        }
        position = found + size;
        part = partEnd + 1;
    }
    return true;
}

}  // namespace orvo
