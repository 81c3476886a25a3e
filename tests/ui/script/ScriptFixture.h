#pragma once

#include <gtest/gtest.h>

#include <lua.hpp>

#include <initializer_list>
#include <string>

#include "tests/support/LogCheck.h"
#include "ui/script/ScriptSystem.h"

namespace trellin_test {

// A registered script service and the log lines written meanwhile.
class ScriptFixture : public ::testing::Test {
protected:
    void SetUp() override {
        trellin_test::copyLog(&log);
        scripts = orvo::Locator::registerService<orvo::ScriptSystem>("ScriptSystem");
        ASSERT_NE(scripts, nullptr);
        ASSERT_NE(orvo::ScriptSystem::mainState_, nullptr);
    }
    void TearDown() override {
        orvo::Locator::deregisterService<orvo::ScriptSystem>();
        trellin_test::copyLog(nullptr);
    }

    // A named state with the libraries, which ran chunk.
    lua_State* stateWith(const char* chunk, const char* name = "test") {
        lua_State* state = scripts->createLuaState(name, true);
        EXPECT_NE(state, nullptr);
        EXPECT_TRUE(orvo::ScriptSystem::callLua(state, chunk)) << log;
        return state;
    }

    // The global as text (nil and other types by their type name).
    static std::string global(lua_State* state, const char* name) {
        lua_getglobal(state, name);
        std::string text = lua_isstring(state, -1) ? lua_tostring(state, -1)
                                                   : lua_typename(state, lua_type(state, -1));
        lua_pop(state, 1);
        return text;
    }

    bool logged(const std::string& text) const { return log.find(text) != std::string::npos; }

    // Each chunk fails in the state with a log line holding text.
    void expectFailures(lua_State* state, std::initializer_list<const char*> chunks,
                        const std::string& text) {
        for (const char* chunk : chunks) {
            log.clear();
            EXPECT_FALSE(orvo::ScriptSystem::callLua(state, chunk)) << chunk;
            EXPECT_TRUE(logged(text)) << chunk << ": " << log;
        }
    }

    std::string log;
    orvo::ScriptSystem* scripts = nullptr;
};

}  // namespace trellin_test
