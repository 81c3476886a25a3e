#include <gtest/gtest.h>

#include <lua.hpp>

#include <string>

#include "core/file/FileBase.h"
#include "tests/core/file/TempDirectory.h"
#include "tests/support/LogCheck.h"
#include "tests/ui/script/ScriptFixture.h"
#include "ui/script/LuaTextChunk.h"
#include "ui/script/ScriptValueStore.h"

using namespace orvo;

namespace {

typedef trellin_test::ScriptFixture LuaTextChunkTest;

}  // namespace

TEST_F(LuaTextChunkTest, PrecompiledChunksAreRefusedByEveryLoad) {
    trellin_test::expectLog("Lua Error: precompiled chunks are not accepted", 3);
    // A genuine precompiled chunk, as a crafted one would start.
    lua_State* state = stateWith("code = string.dump(function() ran = true end)");
    lua_getglobal(state, "code");
    std::size_t size = 0;
    const char* bytes = lua_tolstring(state, -1, &size);
    const std::string code(bytes, size);
    lua_pop(state, 1);
    ASSERT_EQ(code.compare(0, 4, LUA_SIGNATURE), 0);

    trellin_test::TempDirectory dir;
    dir.write("scripts/compiled.lua", code);
    FileBase::setRootPath(dir.path().c_str());
    EXPECT_FALSE(ScriptSystem::loadScript(state, "scripts/compiled.lua"));
    EXPECT_FALSE(ScriptSystem::callLua(state, code.c_str()));
    ScriptValueStore config("scripts/compiled.lua", true);
    EXPECT_EQ(global(config.state, "ran"), "nil");

    const char* scriptLoads[] = {
        "return loadstring(code)",
        "return loadstring(code, 'named')",
        "local done return load(function() if not done then done = true return code end end)",
        // The signature alone decides, even split over the reader's pieces.
        "local n = 0 return load(function() n = n + 1 return code:sub(n, n) end)",
        "return zqLuaCallGlobal('_G', 'loadstring', code)",
    };
    for (const char* load : scriptLoads) {
        const std::string chunk = std::string("local f, message = (function() ") + load +
                                  " end)() result = type(f) .. ' ' .. tostring(message)";
        ASSERT_TRUE(ScriptSystem::callLua(state, chunk.c_str())) << log;
        EXPECT_EQ(global(state, "result").find("nil "), 0u) << load;
        EXPECT_NE(global(state, "result").find(LuaTextChunk::REFUSED), std::string::npos) << load;
    }
    EXPECT_TRUE(logged(LuaTextChunk::REFUSED)) << log;
    EXPECT_EQ(global(state, "ran"), "nil");

    // Text still loads by every way, also piece by piece.
    ASSERT_TRUE(ScriptSystem::callLua(
        state,
        "local pieces = {'result ', '= ', 'loadstring(\"return 4\")() ', '.. \"2\"'} "
        "local n = 0 "
        "load(function() n = n + 1 return pieces[n] end)()"));
    EXPECT_EQ(global(state, "result"), "42");
    const char* message = "local f, e = load(function() return {} end) return e";
    ASSERT_TRUE(ScriptSystem::callLua(
        state, (std::string("result = (function() ") + message + " end)()").c_str()));
    EXPECT_NE(global(state, "result").find("reader function must return a string"),
              std::string::npos);
}
