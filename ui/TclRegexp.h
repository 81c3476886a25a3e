#pragma once

#include <string>
#include <vector>

struct pcre2_real_code_8;

namespace orvo {

// A regular expression in Jim's syntax with Jim's meaning, matched by PCRE2 under a match limit:
// Jim's own matcher backtracks without bound, so that (a+)+b against a few dozen characters runs
// for minutes. The pattern is read as Jim reads it (the same errors, the same character sets,
// anchors and escapes, case folding only of the characters Jim folds) and written out in PCRE2's
// syntax, with every set spelt out byte by byte so that no difference between the two syntaxes
// shows. Groups nest at most MAX_NESTING deep (the reader recurses per group).
class TclRegexp {
public:
    static const int MAX_NESTING = 1000;
    // The error of a pattern nested deeper.
    static const char* const TOO_DEEP;

    // A match's start and end byte, -1 for a group that took no part.
    struct Span {
        int start;
        int end;
    };

    TclRegexp(const char* pattern, bool nocase, bool newline);
    ~TclRegexp();
    TclRegexp(const TclRegexp&) = delete;
    TclRegexp& operator=(const TclRegexp&) = delete;

    // Empty when the pattern compiled; else Jim's text for the error.
    const std::string& error() const { return error_; }
    // The number of capturing groups.
    int groups() const { return groups_; }

    // Searches text (up to its first NUL, as Jim does) as Jim's regexec does; notAtStart is Jim's
    // REG_NOTBOL. spans gets the whole match and the groups. Returns 1 for a match, 0 for none,
    // -1 for an error (the match limit), whose text goes to failure.
    int match(const char* text, bool notAtStart, int wanted, std::vector<Span>& spans,
              std::string& failure) const;

private:
    class Reader;

    // One PCRE2 search of subject, whose offsets count from base.
    static int run(const pcre2_real_code_8* code, const std::vector<int>& groupOf,
                   const char* subject, std::size_t length, int base, bool anchored,
                   std::vector<Span>& spans, std::string& failure);

    std::string error_;
    int groups_ = 0;
    bool newline_;
    // Jim tries a pattern that starts with ^ (and has one branch) only at line starts.
    bool anchoredAtLines_ = false;
    // The PCRE2 group of each of Jim's groups.
    std::vector<int> groupOf_;
    // Jim's \A depends on REG_NOTBOL, so there are two forms.
    pcre2_real_code_8* code_[2] = {nullptr, nullptr};
};

}  // namespace orvo
