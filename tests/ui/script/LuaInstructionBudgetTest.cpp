#include <gtest/gtest.h>

#include <lua.hpp>

#include <string>

#include "core/file/FileBase.h"
#include "tests/core/file/TempDirectory.h"
#include "tests/support/LogCheck.h"
#include "tests/ui/script/ScriptFixture.h"
#include "ui/script/LuaInstructionBudget.h"
#include "ui/script/ScriptValueStore.h"

using namespace orvo;

namespace {

typedef trellin_test::ScriptFixture LuaInstructionBudgetTest;

const char STOPPED[] = "script stopped after running more than";

// A smaller budget for one test.
class BudgetLimit {
public:
    explicit BudgetLimit(unsigned long limit) : saved_(LuaInstructionBudget::getLimit()) {
        LuaInstructionBudget::setLimit(limit);
    }
    ~BudgetLimit() { LuaInstructionBudget::setLimit(saved_); }
    BudgetLimit(const BudgetLimit&) = delete;
    BudgetLimit& operator=(const BudgetLimit&) = delete;

private:
    unsigned long saved_;
};

}  // namespace

TEST_F(LuaInstructionBudgetTest, ARunawayConfigurationStopsWithALoggedError) {
    trellin_test::expectLog(
        "Lua Error: script stopped after running more than 10000000 instructions", 3);
    trellin_test::expectLog(
        "Lua Error: [string \"pakName = 'x.pak' zqLuaCallGlobal('t', 'loo...\"]:1: script stopped "
        "after running more than 10000000 instructions");
    const char* configurations[] = {
        "pakName = 'x.pak' while true do end",
        "pakName = 'x.pak' local function again() return again() end again()",
        "pakName = 'x.pak' zqLuaCallGlobal('t', 'loop')",
    };
    ASSERT_TRUE(ScriptSystem::callLua(ScriptSystem::mainState_,
                                      "t = {} function t.loop() while 1 do end end"));
    for (const char* text : configurations) {
        log.clear();
        ScriptValueStore config(text, false);
        EXPECT_TRUE(logged(STOPPED)) << text << ": " << log;
        EXPECT_EQ(config.getString("pakName"), "x.pak");
    }
    trellin_test::TempDirectory dir;
    dir.write("scripts/Lua/config.lua", "while true do end");
    FileBase::setRootPath(dir.path().c_str());
    log.clear();
    ScriptValueStore file("scripts/Lua/config.lua", true);
    EXPECT_TRUE(logged(STOPPED)) << log;
}

TEST_F(LuaInstructionBudgetTest, NoScriptKeepsRunningPastItsBudget) {
    trellin_test::expectLog("Lua Error: script stopped after running more than 100000 instructions",
                            6);
    const BudgetLimit limit(100000);
    trellin_test::TempDirectory dir;
    dir.write("step.lua", "steps = steps + 1");
    FileBase::setRootPath(dir.path().c_str());
    lua_State* state = stateWith(
        "steps = 0 "
        "function spin() while true do end end "
        "function t() return 1 end");
    const char* runaways[] = {
        "while true do pcall(spin) end",
        "while true do xpcall(spin, spin) end",
        "while true do pcall(coroutine.wrap(spin)) end",
        "for i = 1, 1e9 do local s = tostring(i) end",
        // Files run from the chunk spend the chunk's budget.
        "while true do zqLuaDoFile('step.lua') end",
    };
    for (const char* chunk : runaways) {
        log.clear();
        EXPECT_FALSE(ScriptSystem::callLua(state, chunk)) << chunk;
        EXPECT_TRUE(logged(std::string(STOPPED) + " 100000 instructions")) << chunk << ": " << log;
    }
    EXPECT_GT(std::stoi(global(state, "steps")), 100);

    // Every run gets a budget of its own, and calls from engine code too.
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(ScriptSystem::callLua(state, "for i = 1, 20000 do end")) << log;
    }
    LuaParameters results;
    results.addInt(0);
    EXPECT_TRUE(ScriptSystem::callFunction(*state, "t", "", LuaParameters(), &results)) << log;
    EXPECT_FALSE(ScriptSystem::callFunction(*state, "spin", "", LuaParameters(), &results));
}
