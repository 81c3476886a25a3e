#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "core/containers/Array.h"
#include "core/hash/HashString.h"
#include "core/locator/ServiceSingleton.h"
#include "ui/script/LuaParameters.h"

struct lua_State;

namespace orvo {

class Scriptable;

// The Lua service: one main state for the whole process, any number of named states (which
// get zqLuaCallGlobal, zqLuaDoFile and zqLuaGetPlatform), typed calls from engine code and the
// script message queues. Main thread only. Every Lua error stays inside a protected call: it
// is logged as a script error and never reaches the caller. Chunks are loaded from text only,
// and every run of a chunk or call is stopped past an instruction budget or a time limit.
class ScriptSystem : public Locator::ServiceSingleton<ScriptSystem> {
public:
    typedef std::pair<HashString, lua_State*> NamedState;

    // Opens the main state with the base, string, table and math libraries and creates the
    // incoming and outgoing script message queues.
    ScriptSystem();
    // Removes both queues and closes every named state and the main state.
    ~ScriptSystem() override;
    ScriptSystem(const ScriptSystem&) = delete;
    ScriptSystem& operator=(const ScriptSystem&) = delete;

    // Null when the state could not be made.
    lua_State* createLuaState(HashString name, bool openLibraries);
    // The first state of that name, else the first state made; null when there are none.
    lua_State* getLuaState(HashString name) const;
    // Closes a state made by createLuaState; any other pointer is ignored.
    void removeLuaState(lua_State* state);
    const Array<NamedState>& getLuaStates() const { return luaStates_; }

    // Runs the file as a chunk named by its path; false when it cannot be opened, loaded or run.
    static bool loadScript(lua_State* state, const char* path);
    // Runs the text as a chunk; its results are dropped.
    static bool callLua(lua_State* state, const char* text);
    // Calls the global functionName, or with a fieldName its field as a method (the global is
    // the first argument), with params, and reads the results by their declared types. False
    // when the call failed: the results are then unchanged.
    static bool callFunction(lua_State& state, const ZqString& functionName,
                             const ZqString& fieldName, const LuaParameters& params,
                             LuaParameters* results);
    static void cleanLuaStack(lua_State* state);
    // Runs the queued call requests and posts the answers that a sender waits for.
    void update();

    static bool isNil(int type) { return type == BaseLuaParameter::TYPE_NIL; }
    static bool isBool(int type) { return type == BaseLuaParameter::TYPE_BOOL; }
    static bool isNumber(int type) {
        return type >= BaseLuaParameter::TYPE_UINT && type <= BaseLuaParameter::TYPE_FLOAT;
    }
    static bool isString(int type) { return type == BaseLuaParameter::TYPE_STRING; }
    static bool isPointer(int type) { return type == BaseLuaParameter::TYPE_LIGHT_USERDATA; }
    static bool isObjectPointer(int type) { return type == BaseLuaParameter::TYPE_OBJECT; }
    static bool isTablePointer(int type) { return type == BaseLuaParameter::TYPE_TABLE; }

    // Setters act only on a parameter of the matching type; setNumber converts to the
    // parameter's own number type (truncating for the integer ones).
    static void setNil(BaseLuaParameter& parameter);
    static void setBool(BaseLuaParameter& parameter, bool value);
    static void setNumber(BaseLuaParameter& parameter, double value);
    static void setPointer(BaseLuaParameter& parameter, void* value);
    static void setString(BaseLuaParameter& parameter, const ZqString& value);
    // Getters give the stored value for the matching type and 0, false or "" otherwise.
    static bool getNil(const BaseLuaParameter& parameter);
    static bool getBool(const BaseLuaParameter& parameter);
    static double getNumber(const BaseLuaParameter& parameter);
    static void* getPointer(const BaseLuaParameter& parameter);
    // The size of object and table pointers; 0 for the other types.
    static uint32_t getPointerSize(const BaseLuaParameter& parameter);
    static ZqString getString(const BaseLuaParameter& parameter);
    // Pushes the object through its own push operation (null: nil).
    static void pushScriptable(lua_State* state, Scriptable* object);

    // The functions of the named states.
    // zqLuaCallGlobal(table, function, ...): calls table.function(...) in the main state and
    // returns its results; nothing when the global is not a table. Errors of the call are
    // raised in the caller's state.
    static int zqLuaCallGlobal(lua_State* state);
    // zqLuaDoFile(path): runs the file in the caller's state; its errors are logged.
    static int zqLuaDoFile(lua_State* state);
    // zqLuaGetPlatform(): "Playbook".
    static int zqLuaGetPlatform(lua_State* state);
    // The allocation function of every state: memory category 0 of the memory manager.
    static void* zqLuaAlloc(void* userData, void* pointer, std::size_t oldSize,
                            std::size_t newSize);

    static constexpr int MEMORY_CATEGORY = 0;

    static lua_State* mainState_;

private:
    Array<NamedState> luaStates_;
};

}  // namespace orvo
