#pragma once

#include <cstddef>

#include <lua.hpp>

namespace orvo {

// Matches Lua patterns (those of the string library) in one subject, as the library does, but
// counting its work: every character class tried, balanced run scanned and back-reference
// compared is charged to the instruction budget, so that backtracking stops where the script's
// budget or time ends. A pattern ends at its first zero byte, as the library's do. Malformed
// patterns raise the library's errors. The recursion nests once per repetition or option item
// and per capture: callers bound the items.
class LuaPatternMatcher {
public:
    LuaPatternMatcher(lua_State* state, const char* subject, std::size_t size);
    LuaPatternMatcher(const LuaPatternMatcher&) = delete;
    LuaPatternMatcher& operator=(const LuaPatternMatcher&) = delete;

    // The end of a match of the pattern at start (within the subject), or null. A match sets the
    // captures that the push functions read.
    const char* match(const char* start, const char* pattern);
    // Pushes every capture of the last match; with none, the whole match start..end unless start
    // is null. Returns how many were pushed.
    int pushCaptures(const char* start, const char* end);
    // Pushes capture index (from 0) of the last match; with none, index 0 is the whole match.
    void pushCapture(int index, const char* start, const char* end);
    // Charges the work done since the last charge.
    void charge();

    const char* subject() const { return subject_; }
    const char* subjectEnd() const { return end_; }

private:
    struct Capture {
        const char* start;
        std::ptrdiff_t length;
    };

    const char* matchFrom(const char* s, const char* p);
    const char* maxExpand(const char* s, const char* p, const char* classEnd);
    const char* minExpand(const char* s, const char* p, const char* classEnd);
    const char* startCapture(const char* s, const char* p, std::ptrdiff_t what);
    const char* endCapture(const char* s, const char* p);
    const char* matchBalance(const char* s, const char* p);
    const char* matchFrontier(const char* s, const char* p, const char* last);
    const char* matchBackReference(const char* s, int digit);
    const char* endOfClass(const char* p);
    bool singleMatch(const char* s, const char* p, const char* classEnd);
    int captureToClose();
    void spend(std::size_t work);

    lua_State* state_;
    const char* subject_;
    const char* end_;
    int level_;
    Capture captures_[LUA_MAXCAPTURES];
    unsigned long work_;
};

}  // namespace orvo
