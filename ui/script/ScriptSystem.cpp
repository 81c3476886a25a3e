#include "ui/script/ScriptSystem.h"

#include <cstring>

#include <lua.hpp>

#include "core/file/BinaryFile.h"
#include "core/memory/ZequinAllocation.h"
#include "core/message/MessageSystem.h"
#include "ui/script/LuaConvert.h"
#include "ui/script/LuaInstructionBudget.h"
#include "ui/script/LuaLibraries.h"
#include "ui/script/LuaProtectedCall.h"
#include "ui/script/LuaTextChunk.h"
#include "ui/script/ScriptMessage.h"

namespace orvo {

lua_State* ScriptSystem::mainState_ = nullptr;

namespace {

// Sets up a new state: the script functions for named states, then the libraries when asked.
struct StateSetup {
    bool scriptFunctions;
    bool libraries;

    void operator()(lua_State* state) const {
        if (scriptFunctions) {
            lua_register(state, "zqLuaCallGlobal", &ScriptSystem::zqLuaCallGlobal);
            lua_register(state, "zqLuaDoFile", &ScriptSystem::zqLuaDoFile);
            lua_register(state, "zqLuaGetPlatform", &ScriptSystem::zqLuaGetPlatform);
        }
        if (libraries) {
            LuaLibraries::open(state);
        }
    }
};

lua_State* newState(bool scriptFunctions, bool libraries) {
    lua_State* state = lua_newstate(&ScriptSystem::zqLuaAlloc, nullptr);
    if (state == nullptr) {
        LuaProtectedCall::logError("not enough memory for a new state");
        return nullptr;
    }
    LuaInstructionBudget::attach(state);
    StateSetup setup = {scriptFunctions, libraries};
    if (!LuaProtectedCall::runLogged(state, setup)) {
        lua_close(state);
        return nullptr;
    }
    return state;
}

void pushParameter(lua_State* state, const BaseLuaParameter* parameter) {
    switch (parameter != nullptr ? parameter->type : BaseLuaParameter::TYPE_NIL) {
        case BaseLuaParameter::TYPE_BOOL:
            lua_pushboolean(state, ScriptSystem::getBool(*parameter) ? 1 : 0);
            break;
        case BaseLuaParameter::TYPE_UINT:
        case BaseLuaParameter::TYPE_INT:
        case BaseLuaParameter::TYPE_FLOAT:
            lua_pushnumber(state, ScriptSystem::getNumber(*parameter));
            break;
        case BaseLuaParameter::TYPE_STRING: {
            const ZqString text = ScriptSystem::getString(*parameter);
            lua_pushlstring(state, text.data(), text.size());
            break;
        }
        case BaseLuaParameter::TYPE_LIGHT_USERDATA:
            lua_pushlightuserdata(state, ScriptSystem::getPointer(*parameter));
            break;
        case BaseLuaParameter::TYPE_OBJECT:
        case BaseLuaParameter::TYPE_TABLE:
            ScriptSystem::pushScriptable(
                state, static_cast<Scriptable*>(ScriptSystem::getPointer(*parameter)));
            break;
        default:
            lua_pushnil(state);
            break;
    }
}

// Reads the value at index into the result by the result's declared type; a value of another
// type makes the result nil. Raises nothing.
void readResult(lua_State* state, int index, LuaParameters& results, std::size_t i) {
    BaseLuaParameter* result = results[i].get();
    if (result == nullptr) {
        return;
    }
    bool matched = false;
    switch (result->type) {
        case BaseLuaParameter::TYPE_NIL:
            matched = lua_isnil(state, index);
            break;
        case BaseLuaParameter::TYPE_BOOL:
            matched = lua_isboolean(state, index);
            if (matched) {
                ScriptSystem::setBool(*result, lua_toboolean(state, index) != 0);
            }
            break;
        case BaseLuaParameter::TYPE_UINT:
        case BaseLuaParameter::TYPE_INT:
        case BaseLuaParameter::TYPE_FLOAT:
            matched = lua_isnumber(state, index) != 0;
            if (matched) {
                ScriptSystem::setNumber(*result, lua_tonumber(state, index));
            }
            break;
        case BaseLuaParameter::TYPE_STRING: {
            ZqString text;
            matched = LuaConvert::toEngineString(state, index, text);
            if (matched) {
                ScriptSystem::setString(*result, text);
            }
            break;
        }
        case BaseLuaParameter::TYPE_LIGHT_USERDATA:
            matched = lua_islightuserdata(state, index);
            if (matched) {
                ScriptSystem::setPointer(*result, lua_touserdata(state, index));
            }
            break;
        case BaseLuaParameter::TYPE_OBJECT:
        case BaseLuaParameter::TYPE_TABLE:
            matched = lua_isuserdata(state, index) != 0;
            if (matched) {
                ScriptSystem::setPointer(*result, lua_touserdata(state, index));
            }
            break;
    }
    if (!matched) {
        results.setAsNil(i);
    }
}

struct FunctionCall {
    const ZqString& functionName;
    const ZqString& fieldName;
    const LuaParameters& params;
    LuaParameters* results;

    void operator()(lua_State* state) const {
        if (params.size() > LUAI_MAXCSTACK) {
            luaL_error(state, "too many parameters for '%s'", functionName.c_str());
        }
        luaL_checkstack(state, static_cast<int>(params.size()) + 2, "too many parameters");
        lua_getglobal(state, functionName.c_str());
        int arguments = 0;
        if (!fieldName.empty()) {
            if (!lua_istable(state, -1)) {
                luaL_error(state, "cannot call '%s:%s': '%s' is not a table", functionName.c_str(),
                           fieldName.c_str(), functionName.c_str());
            }
            lua_getfield(state, -1, fieldName.c_str());
            lua_insert(state, -2);
            arguments = 1;
        }
        for (const boost::shared_ptr<BaseLuaParameter>& parameter : params) {
            pushParameter(state, parameter.get());
            ++arguments;
        }
        lua_call(state, arguments, LUA_MULTRET);
        if (results != nullptr) {
            read(state);
        }
    }

    // The results start at stack index 1, the call's frame being empty before it.
    void read(lua_State* state) const {
        const std::size_t count = results->size();
        // What may raise comes first, so that the results change only once nothing can fail:
        // an object or table result given as a table is its field "__pointer".
        for (std::size_t i = 0; i < count; ++i) {
            const int index = static_cast<int>(i) + 1;
            const int type = results->getType(i);
            if ((ScriptSystem::isObjectPointer(type) || ScriptSystem::isTablePointer(type)) &&
                lua_istable(state, index)) {
                luaL_checkstack(state, 1, "too many results");
                lua_getfield(state, index, "__pointer");
                lua_replace(state, index);
            }
        }
        for (std::size_t i = 0; i < count; ++i) {
            readResult(state, static_cast<int>(i) + 1, *results, i);
        }
    }
};

}  // namespace

ScriptSystem::ScriptSystem() {
    mainState_ = newState(false, true);
    MessageQueueActual<IncomingScriptMessage>::instance();
    MessageQueueActual<OutgoingScriptMessage>::instance();
}

ScriptSystem::~ScriptSystem() {
    MessageSystem::removeQueue<IncomingScriptMessage>();
    MessageSystem::removeQueue<OutgoingScriptMessage>();
    for (NamedState& named : luaStates_) {
        lua_close(named.second);
    }
    luaStates_.clear();
    if (mainState_ != nullptr) {
        lua_close(mainState_);
        mainState_ = nullptr;
    }
}

lua_State* ScriptSystem::createLuaState(HashString name, bool openLibraries) {
    lua_State* state = newState(true, openLibraries);
    if (state != nullptr && !luaStates_.pushBack(NamedState(name, state))) {
        LuaProtectedCall::logError("not enough memory to keep a new state");
        lua_close(state);
        return nullptr;
    }
    return state;
}

lua_State* ScriptSystem::getLuaState(HashString name) const {
    for (const NamedState& named : luaStates_) {
        if (named.first == name) {
            return named.second;
        }
    }
    return luaStates_.empty() ? nullptr : luaStates_[0].second;
}

void ScriptSystem::removeLuaState(lua_State* state) {
    for (NamedState& named : luaStates_) {
        if (named.second == state) {
            lua_close(state);
            named = luaStates_[luaStates_.size() - 1];
            luaStates_.popBack();
            return;
        }
    }
}

bool ScriptSystem::loadScript(lua_State* state, const char* path) {
    if (state == nullptr || path == nullptr) {
        return false;
    }
    BinaryFile file;
    if (!file.open(path, true, MEMORY_CATEGORY)) {
        return false;
    }
    const LuaInstructionBudget::Entry entry;
    int status = LuaTextChunk::load(state, static_cast<const char*>(file.getRamFileAddress()),
                                    file.size(), path);
    // The chunk holds its own copy: the file's memory is not needed while it runs.
    file.close();
    if (status == 0) {
        status = lua_pcall(state, 0, 0, 0);
    }
    if (status != 0) {
        LuaProtectedCall::logError(state);
        return false;
    }
    return true;
}

bool ScriptSystem::callLua(lua_State* state, const char* text) {
    if (state == nullptr || text == nullptr) {
        return false;
    }
    const LuaInstructionBudget::Entry entry;
    const int top = lua_gettop(state);
    int status = LuaTextChunk::load(state, text, std::strlen(text), text);
    if (status == 0) {
        status = lua_pcall(state, 0, LUA_MULTRET, 0);
    }
    if (status != 0) {
        LuaProtectedCall::logError(state);
        return false;
    }
    // Nobody reads the chunk's results; kept, they would pile up on the state's stack.
    lua_settop(state, top);
    return true;
}

bool ScriptSystem::callFunction(lua_State& state, const ZqString& functionName,
                                const ZqString& fieldName, const LuaParameters& params,
                                LuaParameters* results) {
    FunctionCall call = {functionName, fieldName, params, results};
    const bool called = LuaProtectedCall::runLogged(&state, call);
    cleanLuaStack(&state);
    return called;
}

void ScriptSystem::cleanLuaStack(lua_State* state) {
    if (state != nullptr) {
        lua_settop(state, 0);
    }
}

void ScriptSystem::update() {
    MessageQueue<IncomingScriptMessage> queue = MessageSystem::getQueue<IncomingScriptMessage>();
    boost::shared_ptr<IncomingScriptMessage> request;
    while (queue.nextMessage(request)) {
        lua_State* state = getLuaState(request->stateName);
        if (state != nullptr) {
            callFunction(*state, request->functionName, request->fieldName, request->params,
                         &request->results);
        } else {
            LuaProtectedCall::logError("a script request names no state");
        }
        if (request->sender != 0) {
            OutgoingScriptMessage* answer =
                new (MEMORY_CATEGORY, ZequinAllocation) OutgoingScriptMessage(*request);
            if (answer != nullptr) {
                MessageSystem::getQueue<OutgoingScriptMessage>().postMessage(
                    boost::shared_ptr<OutgoingScriptMessage>(answer));
            }
        }
        request.reset();
    }
}

}  // namespace orvo
