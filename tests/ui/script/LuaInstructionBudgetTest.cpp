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

// Other limits for one test.
class BudgetLimit {
public:
    BudgetLimit(unsigned long limit, double seconds)
        : saved_(LuaInstructionBudget::getLimit()),
          savedTime_(LuaInstructionBudget::getTimeLimit()) {
        LuaInstructionBudget::setLimit(limit);
        LuaInstructionBudget::setTimeLimit(seconds);
    }
    ~BudgetLimit() {
        LuaInstructionBudget::setLimit(saved_);
        LuaInstructionBudget::setTimeLimit(savedTime_);
    }
    BudgetLimit(const BudgetLimit&) = delete;
    BudgetLimit& operator=(const BudgetLimit&) = delete;

private:
    unsigned long saved_;
    double savedTime_;
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
    // A stop inside a coroutine reaches the log with the position of each chunk it passed.
    trellin_test::expectLogMatching(
        R"(Lua Error: (\[string ".*"\]:1: )*script stopped after running more than 100000 instructions)",
        7);
    // Only the count stops these, however slow the build.
    const BudgetLimit limit(100000, 600);
    trellin_test::TempDirectory dir;
    dir.write("step.lua", "steps = steps + 1");
    FileBase::setRootPath(dir.path().c_str());
    lua_State* state = stateWith(
        "steps = 0 "
        "function spin() while true do end end "
        "function t() return 1 end");
    expectFailures(state,
                   {
                       "while true do pcall(spin) end",
                       "while true do xpcall(spin, spin) end",
                       "while true do pcall(coroutine.wrap(spin)) end",
                       "for i = 1, 1e9 do local s = tostring(i) end",
                       // Each coroutine runs fewer instructions than are counted at once.
                       "local function nest(depth) "
                       "  if depth == 0 then for i = 1, 300 do end return end "
                       "  for i = 1, 20 do coroutine.wrap(nest)(depth - 1) end "
                       "end "
                       "nest(3)",
                       // Files run from the chunk spend the chunk's budget.
                       "while true do zqLuaDoFile('step.lua') end",
                   },
                   std::string(STOPPED) + " 100000 instructions");
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

TEST_F(LuaInstructionBudgetTest, NoScriptKeepsRunningPastItsTime) {
    // Only the time stops these: few instructions, each of them slow, or endless ones.
    trellin_test::expectLogMatching(
        R"(Lua Error: (\[string ".*"\]:1: )?script stopped after running more than 0\.05 seconds)",
        6);
    const BudgetLimit limit(~0UL, 0.05);
    trellin_test::TempDirectory dir;
    dir.write("step.lua", "for i = 1, 100 do end");
    FileBase::setRootPath(dir.path().c_str());
    lua_State* state = stateWith("function spin() while true do end end");
    expectFailures(state,
                   {
                       "for i = 1, 1e6 do local s = string.rep('x', 1e5) end",
                       "local s = string.rep('x', 2 ^ 16) for i = 1, 1e6 do local t = s .. s end",
                       "while true do pcall(spin) end",
                       // Files run from the chunk spend the chunk's time.
                       "while true do zqLuaDoFile('step.lua') end",
                       // The time is seen inside the pattern matcher too.
                       "string.find(string.rep('a', 24), string.rep('a*', 12) .. 'b')",
                   },
                   std::string(STOPPED) + " 0.05 seconds");
    // Every run gets a time of its own.
    EXPECT_TRUE(ScriptSystem::callLua(state, "for i = 1, 20000 do end")) << log;
}
