#include "ui/script/LuaProtectedCall.h"

#include <cstdio>
#include <cstring>

#include "core/log/ErrorLine.h"

namespace orvo {

void LuaProtectedCall::logError(lua_State* state) {
    char text[ERROR_TEXT_SIZE];
    copyErrorText(state, -1, text);
    lua_pop(state, 1);
    logError(text);
}

void LuaProtectedCall::logError(const char* text) {
    logLine(LineKind::ERROR, "Lua Error: ", {text});
}

void LuaProtectedCall::copyErrorText(lua_State* state, int index, char (&text)[ERROR_TEXT_SIZE]) {
    switch (lua_type(state, index)) {
        case LUA_TSTRING: {
            std::size_t length = 0;
            const char* message = lua_tolstring(state, index, &length);
            if (length >= ERROR_TEXT_SIZE) {
                length = ERROR_TEXT_SIZE - 1;
            }
            std::memcpy(text, message, length);
            text[length] = '\0';
            break;
        }
        case LUA_TNUMBER:
            std::snprintf(text, ERROR_TEXT_SIZE, LUA_NUMBER_FMT, lua_tonumber(state, index));
            break;
        default:
            std::snprintf(text, ERROR_TEXT_SIZE, "(error object is a %s value)",
                          lua_typename(state, lua_type(state, index)));
            break;
    }
}

}  // namespace orvo
