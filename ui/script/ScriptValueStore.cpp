#include "ui/script/ScriptValueStore.h"

#include <lua.hpp>

#include "ui/script/LuaConvert.h"
#include "ui/script/LuaProtectedCall.h"
#include "ui/script/ScriptSystem.h"

namespace orvo {

namespace {

// Fetches the global key and hands its stack index to read, in protected mode (making the key
// may raise). The value is gone again afterwards.
template <class Read>
void readGlobal(lua_State* state, const char* key, Read read) {
    if (state == nullptr || key == nullptr) {
        return;
    }
    auto fetch = [key, &read](lua_State* L) {
        lua_getglobal(L, key);
        read(L, lua_gettop(L));
    };
    LuaProtectedCall::runLogged(state, fetch);
}

}  // namespace

ScriptValueStore::ScriptValueStore(const ZqString& pathOrText, bool isFile)
    : name(pathOrText.c_str()), state(nullptr) {
    ScriptSystem* scripts = ScriptSystem::instance_;
    if (scripts == nullptr) {
        return;
    }
    state = scripts->createLuaState(name, false);
    if (isFile) {
        ScriptSystem::loadScript(state, pathOrText.c_str());
    } else {
        ScriptSystem::callLua(state, pathOrText.c_str());
    }
}

ScriptValueStore::~ScriptValueStore() {
    if (ScriptSystem::instance_ != nullptr && state != nullptr) {
        ScriptSystem::instance_->removeLuaState(state);
    }
}

bool ScriptValueStore::isBool(const char* key) const {
    bool result = false;
    readGlobal(state, key, [&](lua_State* L, int i) { result = lua_isboolean(L, i); });
    return result;
}

bool ScriptValueStore::isString(const char* key) const {
    bool result = false;
    readGlobal(state, key, [&](lua_State* L, int i) { result = lua_isstring(L, i) != 0; });
    return result;
}

bool ScriptValueStore::isNumber(const char* key) const {
    bool result = false;
    readGlobal(state, key, [&](lua_State* L, int i) { result = lua_isnumber(L, i) != 0; });
    return result;
}

int ScriptValueStore::getInt(const char* key) const {
    int result = 0;
    readGlobal(state, key,
               [&](lua_State* L, int i) { result = LuaConvert::toInt(lua_tonumber(L, i)); });
    return result;
}

unsigned int ScriptValueStore::getUint(const char* key) const {
    unsigned int result = 0;
    readGlobal(state, key,
               [&](lua_State* L, int i) { result = LuaConvert::toUnsigned(lua_tonumber(L, i)); });
    return result;
}

float ScriptValueStore::getFloat(const char* key) const {
    float result = 0.0f;
    readGlobal(state, key,
               [&](lua_State* L, int i) { result = static_cast<float>(lua_tonumber(L, i)); });
    return result;
}

bool ScriptValueStore::getBool(const char* key) const {
    bool result = false;
    readGlobal(state, key, [&](lua_State* L, int i) { result = lua_toboolean(L, i) == 1; });
    return result;
}

ZqString ScriptValueStore::getString(const char* key) const {
    ZqString result;
    readGlobal(state, key, [&](lua_State* L, int i) { LuaConvert::toEngineString(L, i, result); });
    return result;
}

}  // namespace orvo
