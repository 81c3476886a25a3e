// Arbitrary chunks run through the script service, then called into, under a small instruction
// budget, a short time and a memory bound so that runaway scripts (endless loops, deep recursion,
// coroutines, backtracking patterns, huge strings) end with a Lua error. The chunks run in a named
// state with the libraries; the input is also handed whole to the main state's loadstring.
// Binary (precompiled) chunks, which Lua 5.1 does not verify, must be refused by both.
#include <cstddef>
#include <cstdint>
#include <string>

#include <lua.hpp>

#include "core/file/FileBase.h"
#include "core/log/Logger.h"
#include "core/log/LoggerOutputFunctor.h"
#include "ui/script/LuaInstructionBudget.h"
#include "ui/script/LuaProtectedCall.h"
#include "ui/script/ScriptSystem.h"

using namespace orvo;

namespace {

constexpr unsigned long INSTRUCTION_LIMIT = 50000;
constexpr double TIME_LIMIT = 0.25;
constexpr long long MEMORY_LIMIT = 16 << 20;

// The bytes a state holds beyond what it had when the bound was put on it.
struct Budget {
    long long used;
};
Budget mainBudget = {0};

void* boundedAlloc(void* userData, void* pointer, std::size_t oldSize, std::size_t newSize) {
    Budget& budget = *static_cast<Budget*>(userData);
    const long long change = static_cast<long long>(newSize) - static_cast<long long>(oldSize);
    if (change > 0 && budget.used + change > MEMORY_LIMIT) {
        return nullptr;
    }
    void* block = ScriptSystem::zqLuaAlloc(nullptr, pointer, oldSize, newSize);
    if (block != nullptr || newSize == 0) {
        budget.used += change;
    }
    return block;
}

void bound(lua_State* state, Budget& budget) { lua_setallocf(state, &boundedAlloc, &budget); }

class NoOutput : public LoggerOutputFunctor {
public:
    void operator()(const char*) const override {}
};

// The main state offers a few functions to zqLuaCallGlobal besides its libraries. print writes
// to the output.
const char MAIN_SETUP[] =
    "t = {} "
    "function t.echo(...) return ... end "
    "function t.fail(x) error(x) end "
    "function t.loop() while true do end end "
    "function t.rep(s, n) return string.rep(s, n) end "
    "print = nil";

// The input as the string global "input" of the state.
struct SetInput {
    const std::string& input;

    void operator()(lua_State* state) const {
        lua_pushlstring(state, input.data(), input.size());
        lua_setglobal(state, "input");
    }
};

ScriptSystem* setUp() {
    ZqLog.setOutputFunctor(new NoOutput());
    // No file can be opened under a root that does not exist.
    FileBase::setRootPath("/nonexistent-fuzz-root");
    LuaInstructionBudget::setLimit(INSTRUCTION_LIMIT);
    LuaInstructionBudget::setTimeLimit(TIME_LIMIT);
    ScriptSystem* scripts = Locator::registerService<ScriptSystem>("ScriptSystem");
    if (scripts != nullptr && ScriptSystem::mainState_ != nullptr) {
        ScriptSystem::callLua(ScriptSystem::mainState_, MAIN_SETUP);
        bound(ScriptSystem::mainState_, mainBudget);
    }
    return scripts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScriptSystem* scripts = setUp();
    if (scripts == nullptr) {
        return 0;
    }
    const std::string chunk(reinterpret_cast<const char*>(data), size);
    lua_State* state = scripts->createLuaState("fuzz", true);
    if (state == nullptr) {
        return 0;
    }
    Budget budget = {0};
    bound(state, budget);
    ScriptSystem::callLua(state, "print = nil");
    ScriptSystem::callLua(state, chunk.c_str());
    // Whole, with any zero bytes: compiled, not run.
    SetInput setInput = {chunk};
    if (LuaProtectedCall::run(state, setInput) == 0) {
        ScriptSystem::callLua(state, "zqLuaCallGlobal('_G', 'loadstring', input)");
    }

    LuaParameters params;
    params.addNil();
    params.addBool(true);
    params.addInt(-2);
    params.addUint(3);
    params.addFloat(0.5f);
    params.addString("text");
    LuaParameters results;
    results.addNil();
    results.addBool(false);
    results.addInt(0);
    results.addUint(0);
    results.addFloat(0.0f);
    results.addString("");
    results.pushBack(boost::shared_ptr<BaseLuaParameter>(
        new LuaPointerParameter(BaseLuaParameter::TYPE_LIGHT_USERDATA, nullptr, 8)));
    results.pushBack(boost::shared_ptr<BaseLuaParameter>(
        new LuaPointerParameter(BaseLuaParameter::TYPE_TABLE, nullptr, 8)));
    ScriptSystem::callFunction(*state, "f", "", params, &results);
    ScriptSystem::callFunction(*state, "t", "m", params, &results);
    scripts->removeLuaState(state);
    return 0;
}
