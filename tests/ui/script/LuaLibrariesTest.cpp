#include <gtest/gtest.h>

#include <lua.hpp>

#include <initializer_list>
#include <string>

#include "tests/core/file/TempDirectory.h"
#include "tests/support/LogCheck.h"
#include "tests/ui/script/ScriptFixture.h"
#include "ui/script/LuaPatterns.h"
#include "ui/script/ScriptValueStore.h"

using namespace orvo;

namespace {

class LuaLibrariesTest : public trellin_test::ScriptFixture {
protected:
    struct Case {
        const char* values;
        const char* expected;
    };

    // Each case's values, as text joined by spaces, hold its expected text.
    void expectValues(lua_State* state, std::initializer_list<Case> cases) {
        for (const Case& c : cases) {
            const std::string chunk = std::string("local r = {") + c.values +
                                      "} for i = 1, #r do r[i] = tostring(r[i]) end "
                                      "result = table.concat(r, ' ')";
            ASSERT_TRUE(ScriptSystem::callLua(state, chunk.c_str())) << log;
            EXPECT_NE(global(state, "result").find(c.expected), std::string::npos)
                << c.values << ": " << global(state, "result");
        }
    }
};

std::string repeated(const char* item, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += item;
    }
    return text;
}

}  // namespace

TEST_F(LuaLibrariesTest, TheBaseLibraryReadsNoFiles) {
    trellin_test::expectLog(
        "Lua Error: [string \"zqLuaCallGlobal('_G', 'dofile', '/tmp/trell...\"]:1: attempt to call "
        "a nil value");
    trellin_test::expectLog(
        "Lua Error: [string \"zqLuaCallGlobal('_G', 'loadfile', '/tmp/tre...\"]:1: attempt to call "
        "a nil value");
    trellin_test::TempDirectory dir;
    const std::string outside = dir.write("outside.lua", "ran = 'outside the data'");
    // The main state as a configuration reaches it, and a named state with the libraries.
    ScriptValueStore config("x = 1", false);
    lua_State* full = stateWith("");
    for (const char* function : {"dofile", "loadfile"}) {
        log.clear();
        const std::string call = std::string("zqLuaCallGlobal('_G', '") + function + "', '" +
                                 outside + "') reached = true";
        EXPECT_FALSE(ScriptSystem::callLua(config.state, call.c_str())) << function;
        EXPECT_TRUE(logged("attempt to call a nil value")) << function << ": " << log;
        EXPECT_EQ(global(config.state, "reached"), "nil");
        EXPECT_EQ(global(ScriptSystem::mainState_, "ran"), "nil") << function;
    }
    const char* check =
        "result = type(dofile) .. type(loadfile) .. type(newproxy) .. "
        "type(loadstring('return 1')) .. type(load(function() end))";
    for (lua_State* state : {ScriptSystem::mainState_, full}) {
        ASSERT_TRUE(ScriptSystem::callLua(state, check)) << log;
        EXPECT_EQ(global(state, "result"), "nilnilnilfunctionfunction");
    }
}

TEST_F(LuaLibrariesTest, PatternsTooComplexForTheStackFailAsScriptErrors) {
    trellin_test::expectLog(
        "Lua Error: [string \"zqLuaCallGlobal('string', 'find', 'x', 'a*a...\"]:1: pattern too "
        "complex");
    // Each repetition item nests the matcher once more: this many overflow any C stack.
    const std::string deep = repeated("a*", 200000);
    const std::string fromConfig = "zqLuaCallGlobal('string', 'find', 'x', '" + deep + "')";
    ScriptValueStore config(fromConfig.c_str(), false);
    EXPECT_TRUE(logged("pattern too complex")) << log.substr(0, 200);

    lua_State* state = stateWith("");
    lua_pushlstring(state, deep.data(), deep.size());
    lua_setglobal(state, "deep");
    const std::string fits = repeated("a*", LuaPatterns::MAX_ITEMS);
    lua_pushlstring(state, fits.data(), fits.size());
    lua_setglobal(state, "fits");
    expectValues(
        state,
        {
            {"pcall(string.find, 'x', deep)", "false pattern too complex"},
            {"pcall(string.match, 'x', deep)", "false pattern too complex"},
            {"pcall(function() return ('x'):match(deep) end)", "pattern too complex"},
            {"pcall(string.gmatch, 'x', deep)", "false pattern too complex"},
            {"pcall(string.gsub, 'x', deep, '')", "false pattern too complex"},
            {"pcall(string.find, 'x', deep, 1, false)", "false pattern too complex"},
            {"string.find(deep, deep, 1, true)", "1 400000"},
            {"string.find('x', fits)", "1 0"},
            {"('a-b-c'):gsub('%-', '+')", "a+b+c 2"},
            {"string.match('key = 12', '(%w+) = (%d+)')", "key 12"},
            {"pcall(function() return string.find(nil, 'x') end)", "bad argument #1 to 'find'"},
            {"pcall(function() return string.gsub('x', {}) end)", "bad argument #2 to 'gsub'"},
            {"pcall(string.gfind, 'x', deep)", "false pattern too complex"},
        });
    // The bound counts every kind of item.
    for (const char* item : {"a*", "a+", "a-", "a?"}) {
        const std::string over =
            "pcall(string.find, 'x', '" + repeated(item, LuaPatterns::MAX_ITEMS + 1) + "')";
        const std::string under =
            "pcall(string.find, 'x', '" + repeated(item, LuaPatterns::MAX_ITEMS) + "')";
        expectValues(state, {{over.c_str(), "false pattern too complex"}, {under.c_str(), "true"}});
    }
}

TEST_F(LuaLibrariesTest, PatternMatchingStopsWithTheScriptsBudget) {
    trellin_test::expectLogMatching(
        R"(Lua Error: (\[string ".*"\]:1: )?script stopped after running more than 10000000 instructions)",
        7);
    lua_State* state = stateWith(
        "subject = string.rep('a', 24) "
        "pattern = string.rep('a*', 12) .. 'b'");
    expectFailures(state,
                   {
                       // Backtracking through every split of the subject.
                       "string.find(subject, pattern)",
                       "pcall(string.match, subject, pattern) x = 1",
                       "for w in string.gmatch(subject, pattern) do end",
                       "string.gsub(subject, pattern, '')",
                       "string.gsub(subject, '.', function() string.find(subject, pattern) end)",
                       // No backtracking, but long runs tried at every start.
                       "string.find(string.rep('(', 1e5), '%b()')",
                       "string.find(string.rep('x', 1e4), '[' .. string.rep('a', 1e5) .. ']')",
                   },
                   "script stopped after running more than");
}

TEST_F(LuaLibrariesTest, XpcallHandsTheErrorToItsHandler) {
    lua_State* state = stateWith("function handler(message) return 'handled: ' .. message end");
    expectValues(
        state, {
                   {"xpcall(function() return 1, 2 end, handler)", "true 1 2"},
                   {"xpcall(function() error('failed', 0) end, handler)", "false handled: failed"},
                   {"xpcall(function() error('failed', 0) end, function() error('again') end)",
                    "false error in error handling"},
                   {"xpcall(error, tostring)", "false nil"},
                   {"pcall(function() return xpcall(print) end)", "bad argument #2 to 'xpcall'"},
               });
}
