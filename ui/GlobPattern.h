#pragma once

#include <bitset>
#include <cstdint>
#include <vector>

namespace orvo {

// A Tcl glob pattern read as Jim reads it (*, ?, [set] with ranges and no negation, \ before a
// character), matched without backtracking: the parts between stars are placed leftmost in
// turn, so a match costs at most the text's length times the pattern's, and a part of plain
// characters is found in linear time. Case folding, when asked, is the C library's toupper, as
// in Jim.
class GlobPattern {
public:
    GlobPattern(const char* pattern, int length, bool nocase);

    bool matches(const char* text, int length) const;

private:
    // One element: a star, any one character, a set, or one (folded) character.
    enum Kind : std::uint32_t { STAR, ANY, SET, CHARACTER };
    struct Element {
        Kind kind;
        std::uint32_t value;  // the character, or the set's index
    };
    typedef std::vector<Element>::const_iterator Iterator;

    unsigned char fold(unsigned char c) const;
    bool matchesOne(const Element& element, unsigned char c) const;
    // The elements [first, last) match the text at position.
    bool matchesAt(Iterator first, Iterator last, const unsigned char* text) const;
    // Leftmost position in [from, to] where the elements match; -1 when none.
    long find(Iterator first, Iterator last, const unsigned char* text, long from, long to) const;

    bool nocase_;
    std::vector<Element> elements_;
    std::vector<std::bitset<256>> sets_;
};

}  // namespace orvo
