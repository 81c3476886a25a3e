#include "ui/script/LuaConvert.h"

#include <climits>
#include <cmath>
#include <cstdio>

namespace orvo {

int LuaConvert::toInt(lua_Number number) {
    if (std::isnan(number)) {
        return 0;
    }
    if (number <= static_cast<lua_Number>(INT_MIN)) {
        return INT_MIN;
    }
    if (number >= static_cast<lua_Number>(INT_MAX)) {
        return INT_MAX;
    }
    return static_cast<int>(number);
}

unsigned int LuaConvert::toUnsigned(lua_Number number) {
    if (std::isnan(number) || number <= 0) {
        return 0;
    }
    if (number >= static_cast<lua_Number>(UINT_MAX)) {
        return UINT_MAX;
    }
    return static_cast<unsigned int>(number);
}

bool LuaConvert::toEngineString(lua_State* state, int index, ZqString& text) {
    switch (lua_type(state, index)) {
        case LUA_TSTRING: {
            std::size_t length = 0;
            const char* bytes = lua_tolstring(state, index, &length);
            text.assign(bytes, length);
            return true;
        }
        case LUA_TNUMBER: {
            // Formatted here: lua_tolstring would turn the value into a string in place, which
            // allocates and may raise.
            char buffer[LUAI_MAXNUMBER2STR];
            const int length =
                std::snprintf(buffer, sizeof(buffer), LUA_NUMBER_FMT, lua_tonumber(state, index));
            const std::size_t written = length > 0 ? static_cast<std::size_t>(length) : 0;
            text.assign(buffer, written < sizeof(buffer) ? written : sizeof(buffer) - 1);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace orvo
