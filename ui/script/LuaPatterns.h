#pragma once

#include <cstddef>

#include <lua.hpp>

namespace orvo {

// The string library's pattern functions (find, match, gmatch, its old name gfind, and gsub)
// with the same results and errors, matched by LuaPatternMatcher so that their work counts
// against the instruction budget and time. Patterns with more repetition and option items than
// the C stack can nest are refused; a plain find searches in linear time.
class LuaPatterns {
public:
    // Patterns with more items ('?', '*', '+' or '-' anywhere) than this are too complex.
    static constexpr std::size_t MAX_ITEMS = 200;

    // Replaces the pattern functions of the string table on top of the stack.
    static void replace(lua_State* state);
};

}  // namespace orvo
