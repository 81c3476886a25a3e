#include "ui/script/LuaLibraries.h"

#include <initializer_list>

#include "ui/script/LuaInstructionBudget.h"
#include "ui/script/LuaPatterns.h"
#include "ui/script/LuaTextChunk.h"

namespace orvo {

namespace {

const luaL_Reg LIBRARIES[] = {
    {"", luaopen_base},
    {LUA_STRLIBNAME, luaopen_string},
    {LUA_TABLIBNAME, luaopen_table},
    {LUA_MATHLIBNAME, luaopen_math},
};

// Calls the library function kept as the closure's upvalue with the same arguments.
int callLibraryFunction(lua_State* state) {
    lua_pushvalue(state, lua_upvalueindex(1));
    lua_insert(state, 1);
    lua_call(state, lua_gettop(state) - 1, LUA_MULTRET);
    return lua_gettop(state);
}

// coroutine.create and coroutine.wrap: a new thread's instructions are counted only once it has
// run a whole interval of them, so it pays for that interval up front.
int newThread(lua_State* state) {
    luaL_argcheck(state, lua_isfunction(state, 1) && !lua_iscfunction(state, 1), 1,
                  "Lua function expected");
    LuaInstructionBudget::charge(state, LuaInstructionBudget::INTERVAL);
    return callLibraryFunction(state);
}

// xpcall(f, handler): Lua calls the handler at the point of the error, and for an error raised
// by the instruction hook that point is inside the hook, where hooks are off: a handler that
// loops would run forever. Here the handler runs once the error has unwound, under the budget.
// Without the debug library a script cannot tell the difference.
int scriptXpcall(lua_State* state) {
    luaL_checkany(state, 2);
    lua_settop(state, 2);
    lua_insert(state, 1);
    if (lua_pcall(state, 0, LUA_MULTRET, 0) == 0) {
        lua_pushboolean(state, 1);
        lua_replace(state, 1);
        return lua_gettop(state);
    }
    lua_pushvalue(state, 1);
    lua_insert(state, -2);
    if (lua_pcall(state, 1, 1, 0) != 0) {
        lua_pop(state, 1);
        lua_pushliteral(state, "error in error handling");
    }
    lua_pushboolean(state, 0);
    lua_insert(state, -2);
    return 2;
}

void wrap(lua_State* state, const char* name, lua_CFunction wrapper) {
    lua_getfield(state, -1, name);
    lua_pushcclosure(state, wrapper, 1);
    lua_setfield(state, -2, name);
}

}  // namespace

void LuaLibraries::open(lua_State* state) {
    for (const luaL_Reg& library : LIBRARIES) {
        lua_pushcfunction(state, library.func);
        lua_pushstring(state, library.name);
        lua_call(state, 1, 0);
    }
    for (const char* name : {"dofile", "loadfile", "newproxy"}) {
        lua_pushnil(state);
        lua_setglobal(state, name);
    }
    lua_register(state, "load", &LuaTextChunk::scriptLoad);
    lua_register(state, "loadstring", &LuaTextChunk::scriptLoadString);
    lua_register(state, "xpcall", &scriptXpcall);

    lua_getglobal(state, LUA_STRLIBNAME);
    LuaPatterns::replace(state);
    lua_pop(state, 1);
    lua_getglobal(state, LUA_COLIBNAME);
    for (const char* name : {"create", "wrap"}) {
        wrap(state, name, &newThread);
    }
    lua_pop(state, 1);
}

}  // namespace orvo
