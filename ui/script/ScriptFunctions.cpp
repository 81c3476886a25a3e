// The functions that ScriptSystem gives to scripts, and the allocation function of its states.
#include <cstring>

#include <lua.hpp>

#include "core/memory/MemoryManager.h"
#include "ui/script/LuaProtectedCall.h"
#include "ui/script/LuaValueList.h"
#include "ui/script/ScriptSystem.h"

namespace orvo {

namespace {

// What Lua keeps in its blocks (numbers, pointers, longs) needs this alignment.
union LuaAlignment {
    double number;
    void* pointer;
    long integer;
};
constexpr std::size_t LUA_ALIGNMENT = alignof(LuaAlignment);

// table.function(values...) in the main state. Runs there in protected mode; the values come
// in as the arguments and go out as the results.
struct MainStateCall {
    const char* tableName;
    const char* functionName;
    LuaValueList& values;
    bool called;

    void operator()(lua_State* main) {
        lua_getglobal(main, tableName);
        if (!lua_istable(main, -1)) {
            return;
        }
        lua_getfield(main, -1, functionName);
        lua_remove(main, -2);
        luaL_checkstack(main, values.size(), "too many arguments");
        values.push(main);
        lua_call(main, values.size(), LUA_MULTRET);
        if (!values.read(main, 1, lua_gettop(main))) {
            luaL_error(main, "not enough memory for the results of %s.%s", tableName, functionName);
        }
        called = true;
    }
};

}  // namespace

int ScriptSystem::zqLuaCallGlobal(lua_State* state) {
    const char* tableName = luaL_checkstring(state, 1);
    const char* functionName = luaL_checkstring(state, 2);
    lua_State* main = mainState_;
    if (main == nullptr) {
        return luaL_error(state, "zqLuaCallGlobal: there is no main state");
    }
    LuaValueList values;
    if (!values.read(state, 3, lua_gettop(state) - 2)) {
        return luaL_error(state, "zqLuaCallGlobal: not enough memory for the arguments");
    }
    MainStateCall call = {tableName, functionName, values, false};
    const int top = lua_gettop(main);
    if (LuaProtectedCall::run(main, call) != 0) {
        // The error is the caller's: copied out, since the states share no values.
        char message[LuaProtectedCall::ERROR_TEXT_SIZE];
        LuaProtectedCall::copyErrorText(main, -1, message);
        lua_settop(main, top);
        return luaL_error(state, "%s", message);
    }
    if (!call.called) {
        return 0;
    }
    luaL_checkstack(state, values.size(), "zqLuaCallGlobal: too many results");
    values.push(state);
    return values.size();
}

int ScriptSystem::zqLuaDoFile(lua_State* state) {
    loadScript(state, luaL_checkstring(state, 1));
    return 0;
}

int ScriptSystem::zqLuaGetPlatform(lua_State* state) {
    lua_pushstring(state, "Playbook");
    return 1;
}

void* ScriptSystem::zqLuaAlloc(void*, void* pointer, std::size_t oldSize, std::size_t newSize) {
    MemoryManager* manager = MemoryManager::instance();
    if (newSize == 0) {
        if (manager != nullptr) {
            manager->deallocate(pointer);
        }
        return nullptr;
    }
    if (pointer != nullptr && newSize == oldSize) {
        return pointer;
    }
    void* block =
        manager != nullptr ? manager->allocate(newSize, LUA_ALIGNMENT, MEMORY_CATEGORY) : nullptr;
    if (pointer == nullptr) {
        return block;
    }
    if (block == nullptr) {
        // Lua takes a shrink as never failing: the old, larger block serves on.
        return newSize < oldSize ? pointer : nullptr;
    }
    std::memcpy(block, pointer, oldSize < newSize ? oldSize : newSize);
    manager->deallocate(pointer);
    return block;
}

}  // namespace orvo
