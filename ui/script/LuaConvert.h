#pragma once

#include <lua.hpp>

#include "core/text/ZqString.h"

namespace orvo {

// Reads Lua values into engine values without raising Lua errors: nothing here allocates Lua
// memory, so it is safe between protected calls.
struct LuaConvert {
    // Truncated towards zero and held within the target's range; not-a-number gives 0.
    static int toInt(lua_Number number);
    static unsigned int toUnsigned(lua_Number number);

    // The string or number at index as text (numbers as Lua writes them). False, leaving text
    // alone, for other values.
    static bool toEngineString(lua_State* state, int index, ZqString& text);
};

}  // namespace orvo
