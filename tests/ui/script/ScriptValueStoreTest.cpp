#include <gtest/gtest.h>

#include <lua.hpp>

#include "core/file/FileBase.h"
#include "tests/core/file/TempDirectory.h"
#include "tests/support/LogCheck.h"
#include "tests/ui/script/ScriptFixture.h"
#include "ui/script/ScriptValueStore.h"

using namespace orvo;

namespace {

typedef trellin_test::ScriptFixture ScriptValueStoreTest;

const char CONFIG[] =
    "pakName = 'trellin.pak' "
    "count = 12 "
    "twelve = '12' "
    "ratio = 2.75 "
    "negative = -3.5 "
    "enabled = true "
    "disabled = false "
    "list = {}";

}  // namespace

TEST_F(ScriptValueStoreTest, ReadsTheGlobalsOfAConfigurationChunk) {
    ScriptValueStore store(CONFIG, false);
    ASSERT_NE(store.state, nullptr);
    EXPECT_EQ(store.name, HashString(CONFIG));
    EXPECT_EQ(scripts->getLuaState(store.name), store.state);

    const struct {
        const char* key;
        bool isBool, isString, isNumber;
        int asInt;
        unsigned asUint;
        float asFloat;
        bool asBool;
        const char* asString;
    } cases[] = {
        // getBool is Lua's truth: every value but nil and false is true.
        {"pakName", false, true, false, 0, 0u, 0.0f, true, "trellin.pak"},
        {"count", false, true, true, 12, 12u, 12.0f, true, "12"},
        {"twelve", false, true, true, 12, 12u, 12.0f, true, "12"},
        {"ratio", false, true, true, 2, 2u, 2.75f, true, "2.75"},
        {"negative", false, true, true, -3, 0u, -3.5f, true, "-3.5"},
        {"enabled", true, false, false, 0, 0u, 0.0f, true, ""},
        {"disabled", true, false, false, 0, 0u, 0.0f, false, ""},
        {"list", false, false, false, 0, 0u, 0.0f, true, ""},
        {"absent", false, false, false, 0, 0u, 0.0f, false, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(store.isBool(c.key), c.isBool) << c.key;
        EXPECT_EQ(store.isString(c.key), c.isString) << c.key;
        EXPECT_EQ(store.isNumber(c.key), c.isNumber) << c.key;
        EXPECT_EQ(store.getInt(c.key), c.asInt) << c.key;
        EXPECT_EQ(store.getUint(c.key), c.asUint) << c.key;
        EXPECT_EQ(store.getFloat(c.key), c.asFloat) << c.key;
        EXPECT_EQ(store.getBool(c.key), c.asBool) << c.key;
        EXPECT_EQ(store.getString(c.key), c.asString) << c.key;
    }
    // Reading leaves nothing behind on the state's stack, however often it is done.
    EXPECT_EQ(lua_gettop(store.state), 0);
}

TEST_F(ScriptValueStoreTest, ReadsAFileAndOwnsItsStateForItsLifetime) {
    trellin_test::expectLog(
        "Lua Error: [string \"x = string.rep('x', 2)\"]:1: attempt to index global 'string' (a nil "
        "value)");
    trellin_test::expectLog("Lua Error: [string \"pakName = \"]:1: unexpected symbol near '<eof>'");
    trellin_test::TempDirectory dir;
    dir.write("scripts/Lua/config.lua", "pakName = 'other.pak'");
    FileBase::setRootPath(dir.path().c_str());
    {
        ScriptValueStore store("scripts/Lua/config.lua", true);
        EXPECT_EQ(store.getString("pakName"), "other.pak");
        EXPECT_EQ(scripts->getLuaStates().size(), 1u);
        // The state has no libraries: configuration cannot reach outside itself.
        EXPECT_FALSE(ScriptSystem::callLua(store.state, "x = string.rep('x', 2)"));
    }
    EXPECT_TRUE(scripts->getLuaStates().empty());

    ScriptValueStore missing("scripts/Lua/absent.lua", true);
    EXPECT_EQ(missing.getString("pakName"), "");
    ScriptValueStore broken("pakName = ", false);
    EXPECT_EQ(broken.getString("pakName"), "");
    EXPECT_TRUE(logged("Lua Error: ")) << log;
}

TEST(ScriptValueStoreWithoutServiceTest, ReadsEveryKeyAsAbsent) {
    ScriptValueStore store("pakName = 'x'", false);
    EXPECT_EQ(store.state, nullptr);
    EXPECT_FALSE(store.isString("pakName"));
    EXPECT_EQ(store.getString("pakName"), "");
    EXPECT_EQ(store.getInt("pakName"), 0);
}
