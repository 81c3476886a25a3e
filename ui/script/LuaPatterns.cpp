#include "ui/script/LuaPatterns.h"

#include <cctype>
#include <cstring>

#include "ui/script/LuaPatternMatcher.h"

namespace orvo {

namespace {

// A pattern without these is searched for as plain text by find.
const char SPECIALS[] = "^$*+?.([%-";

// Each repetition or option item nests the matcher once more. After the other arguments'
// checks, as their errors come first.
void checkPattern(lua_State* state, int index) {
    std::size_t size = 0;
    const char* pattern = luaL_checklstring(state, index, &size);
    std::size_t items = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = pattern[i];
        items += c == '?' || c == '*' || c == '+' || c == '-';
    }
    if (items > LuaPatterns::MAX_ITEMS) {
        luaL_error(state, "pattern too complex");
    }
}

// A position counted from 1, or from the end when negative, as an offset from 0 within size.
std::size_t startOffset(lua_State* state, int index, std::size_t size) {
    lua_Integer position = luaL_optinteger(state, index, 1);
    if (position < 0) {
        position += static_cast<lua_Integer>(size) + 1;
    }
    if (position <= 1) {
        return 0;
    }
    return static_cast<std::size_t>(position - 1) > size ? size
                                                         : static_cast<std::size_t>(position - 1);
}

int findOrMatch(lua_State* state, bool find) {
    std::size_t size = 0;
    const char* subject = luaL_checklstring(state, 1, &size);
    std::size_t patternSize = 0;
    const char* pattern = luaL_checklstring(state, 2, &patternSize);
    const std::size_t start = startOffset(state, 3, size);
    if (find && (lua_toboolean(state, 4) || std::strpbrk(pattern, SPECIALS) == nullptr)) {
        const void* found = memmem(subject + start, size - start, pattern, patternSize);
        if (found == nullptr) {
            lua_pushnil(state);
            return 1;
        }
        const std::size_t offset =
            static_cast<std::size_t>(static_cast<const char*>(found) - subject);
        lua_pushinteger(state, static_cast<lua_Integer>(offset + 1));
        lua_pushinteger(state, static_cast<lua_Integer>(offset + patternSize));
        return 2;
    }
    checkPattern(state, 2);
    LuaPatternMatcher matcher(state, subject, size);
    const bool anchored = *pattern == '^';
    if (anchored) {
        ++pattern;
    }
    const char* from = subject + start;
    do {
        const char* end = matcher.match(from, pattern);
        if (end != nullptr) {
            matcher.charge();
            if (!find) {
                return matcher.pushCaptures(from, end);
            }
            lua_pushinteger(state, from - subject + 1);
            lua_pushinteger(state, end - subject);
            return matcher.pushCaptures(nullptr, nullptr) + 2;
        }
    } while (from++ < matcher.subjectEnd() && !anchored);
    matcher.charge();
    lua_pushnil(state);
    return 1;
}

int find(lua_State* state) { return findOrMatch(state, true); }

int match(lua_State* state) { return findOrMatch(state, false); }

// The iterator of gmatch: its upvalues are the subject, the pattern and the offset to go on from.
int nextMatch(lua_State* state) {
    std::size_t size = 0;
    const char* subject = lua_tolstring(state, lua_upvalueindex(1), &size);
    const char* pattern = lua_tostring(state, lua_upvalueindex(2));
    LuaPatternMatcher matcher(state, subject, size);
    const char* from = subject + lua_tointeger(state, lua_upvalueindex(3));
    for (; from <= matcher.subjectEnd(); ++from) {
        const char* end = matcher.match(from, pattern);
        if (end != nullptr) {
            // After an empty match the next one starts a character further.
            lua_pushinteger(state, end - subject + (end == from ? 1 : 0));
            lua_replace(state, lua_upvalueindex(3));
            matcher.charge();
            return matcher.pushCaptures(from, end);
        }
    }
    matcher.charge();
    return 0;
}

int gmatch(lua_State* state) {
    luaL_checkstring(state, 1);
    checkPattern(state, 2);
    lua_settop(state, 2);
    lua_pushinteger(state, 0);
    lua_pushcclosure(state, &nextMatch, 3);
    return 1;
}

// The replacement text at index 3 for the match start..end: %0 to %9 are captures, % quotes the
// character after it.
void addReplacementText(LuaPatternMatcher& matcher, luaL_Buffer& buffer, const char* start,
                        const char* end) {
    lua_State* state = buffer.L;
    std::size_t size = 0;
    const char* text = lua_tolstring(state, 3, &size);
    for (std::size_t i = 0; i < size; ++i) {
        if (text[i] != '%') {
            luaL_addchar(&buffer, text[i]);
            continue;
        }
        // A '%' at the very end quotes the string's terminating zero byte.
        ++i;
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            luaL_addchar(&buffer, text[i]);
        } else if (text[i] == '0') {
            luaL_addlstring(&buffer, start, static_cast<std::size_t>(end - start));
        } else {
            matcher.pushCapture(text[i] - '1', start, end);
            luaL_addvalue(&buffer);
        }
    }
}

void addReplacement(LuaPatternMatcher& matcher, luaL_Buffer& buffer, const char* start,
                    const char* end) {
    lua_State* state = buffer.L;
    switch (lua_type(state, 3)) {
        case LUA_TFUNCTION: {
            lua_pushvalue(state, 3);
            const int count = matcher.pushCaptures(start, end);
            lua_call(state, count, 1);
            break;
        }
        case LUA_TTABLE:
            matcher.pushCapture(0, start, end);
            lua_gettable(state, 3);
            break;
        default:
            addReplacementText(matcher, buffer, start, end);
            return;
    }
    if (!lua_toboolean(state, -1)) {
        // nil or false keep the matched text.
        lua_pop(state, 1);
        lua_pushlstring(state, start, static_cast<std::size_t>(end - start));
    } else if (!lua_isstring(state, -1)) {
        luaL_error(state, "invalid replacement value (a %s)", luaL_typename(state, -1));
    }
    luaL_addvalue(&buffer);
}

int gsub(lua_State* state) {
    std::size_t size = 0;
    const char* from = luaL_checklstring(state, 1, &size);
    const char* pattern = luaL_checkstring(state, 2);
    const int replacementType = lua_type(state, 3);
    const int most =
        static_cast<int>(luaL_optinteger(state, 4, static_cast<lua_Integer>(size) + 1));
    luaL_argcheck(state,
                  replacementType == LUA_TNUMBER || replacementType == LUA_TSTRING ||
                      replacementType == LUA_TFUNCTION || replacementType == LUA_TTABLE,
                  3, "string/function/table expected");
    checkPattern(state, 2);
    const bool anchored = *pattern == '^';
    if (anchored) {
        ++pattern;
    }
    LuaPatternMatcher matcher(state, from, size);
    luaL_Buffer buffer;
    luaL_buffinit(state, &buffer);
    int count = 0;
    while (count < most) {
        const char* end = matcher.match(from, pattern);
        if (end != nullptr) {
            ++count;
            addReplacement(matcher, buffer, from, end);
        }
        if (end != nullptr && end > from) {
            from = end;
        } else if (from < matcher.subjectEnd()) {
            luaL_addchar(&buffer, *from++);
        } else {
            break;
        }
        if (anchored) {
            break;
        }
    }
    matcher.charge();
    luaL_addlstring(&buffer, from, static_cast<std::size_t>(matcher.subjectEnd() - from));
    luaL_pushresult(&buffer);
    lua_pushinteger(state, count);
    return 2;
}

const luaL_Reg FUNCTIONS[] = {
    {"find", &find}, {"match", &match}, {"gmatch", &gmatch}, {"gfind", &gmatch}, {"gsub", &gsub},
};

}  // namespace

void LuaPatterns::replace(lua_State* state) {
    for (const luaL_Reg& function : FUNCTIONS) {
        // Only the names the library offers (gfind depends on how it was built).
        lua_getfield(state, -1, function.name);
        const bool offered = !lua_isnil(state, -1);
        lua_pop(state, 1);
        if (offered) {
            lua_pushcfunction(state, function.func);
            lua_setfield(state, -2, function.name);
        }
    }
}

}  // namespace orvo
