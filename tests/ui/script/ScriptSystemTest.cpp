#include <gtest/gtest.h>

#include <lua.hpp>

#include <algorithm>
#include <string>

#include "core/file/FileBase.h"
#include "core/message/MessageSystem.h"
#include "tests/core/file/TempDirectory.h"
#include "tests/support/LogCheck.h"
#include "tests/ui/script/ScriptFixture.h"
#include "tools/datawriter/PakWriter.h"
#include "ui/script/ScriptMessage.h"
#include "ui/script/Scriptable.h"

using namespace orvo;
using trellin_test::ScriptFixture;

namespace {

typedef BaseLuaParameter P;
typedef ScriptFixture ScriptSystemTest;

// Pushes itself as a table that names it by its field "__pointer".
class TableObject : public Scriptable {
public:
    void pushToLua(lua_State* state) override {
        lua_newtable(state);
        lua_pushlightuserdata(state, this);
        lua_setfield(state, -2, "__pointer");
    }
};

boost::shared_ptr<BaseLuaParameter> pointerParameter(P::ParameterType type, void* value) {
    return boost::shared_ptr<BaseLuaParameter>(new LuaPointerParameter(type, value, 8));
}

// Runs chunk in state under pcall-like protection and gives the global "result".
std::string run(lua_State* state, const char* chunk) {
    EXPECT_TRUE(ScriptSystem::callLua(state, chunk)) << chunk;
    lua_getglobal(state, "result");
    const std::string text = lua_isstring(state, -1) ? lua_tostring(state, -1) : "(not a string)";
    lua_pop(state, 1);
    return text;
}

}  // namespace

TEST_F(ScriptSystemTest, StatesAreFoundByNameAndRemovedByPointer) {
    EXPECT_EQ(scripts->getLuaState("absent"), nullptr);
    lua_State* a = scripts->createLuaState("a", false);
    lua_State* b = scripts->createLuaState("b", false);
    lua_State* a2 = scripts->createLuaState("a", false);
    ASSERT_TRUE(a != nullptr && b != nullptr && a2 != nullptr);
    EXPECT_EQ(scripts->getLuaState("a"), a);
    EXPECT_EQ(scripts->getLuaState("b"), b);
    // An unknown name gives the first state.
    EXPECT_EQ(scripts->getLuaState("absent"), a);

    scripts->removeLuaState(a);
    ASSERT_EQ(scripts->getLuaStates().size(), 2u);
    EXPECT_EQ(scripts->getLuaStates()[0].second, a2);
    EXPECT_EQ(scripts->getLuaState("a"), a2);
    EXPECT_EQ(scripts->getLuaState("absent"), a2);

    // A state the service did not make is left alone.
    scripts->removeLuaState(ScriptSystem::mainState_);
    EXPECT_EQ(scripts->getLuaStates().size(), 2u);
    EXPECT_TRUE(ScriptSystem::callLua(ScriptSystem::mainState_, "x = 1"));
}

TEST_F(ScriptSystemTest, NamedStatesGetTheScriptFunctionsAndLibrariesWhenAsked) {
    lua_State* plain = scripts->createLuaState("plain", false);
    lua_State* full = stateWith("result = zqLuaGetPlatform() .. ' ' .. string.upper('x')");
    EXPECT_EQ(global(full, "result"), "Playbook X");
    EXPECT_EQ(run(plain,
                  "if zqLuaCallGlobal and zqLuaDoFile and not string then "
                  "result = zqLuaGetPlatform() end"),
              "Playbook");
    EXPECT_EQ(run(ScriptSystem::mainState_, "result = type(zqLuaCallGlobal) .. type(math)"),
              "niltable");
}

TEST_F(ScriptSystemTest, CallsPassEveryParameterTypeAndReadResultsByTheirTypes) {
    lua_State* state = stateWith(
        "function echo(...) return ... end "
        "function mixed() return 7, '12', {}, 'x', true, 3 end");
    int marker = 0;
    TableObject object;
    LuaParameters params;
    params.addNil();
    params.addBool(true);
    params.addUint(7);
    params.addInt(-3);
    params.addFloat(1.5f);
    params.addString("text");
    params.pushBack(pointerParameter(P::TYPE_LIGHT_USERDATA, &marker));
    params.pushBack(pointerParameter(P::TYPE_TABLE, &object));
    LuaParameters results;
    results.addBool(false);  // becomes nil: the first value is nil
    results.addBool(false);
    results.addUint(0);
    results.addInt(0);
    results.addFloat(0);
    results.addString("");
    results.pushBack(pointerParameter(P::TYPE_LIGHT_USERDATA, nullptr));
    results.pushBack(pointerParameter(P::TYPE_TABLE, nullptr));
    results.addInt(99);  // past the values: nil
    ASSERT_TRUE(ScriptSystem::callFunction(*state, "echo", "", params, &results)) << log;
    EXPECT_EQ(results.getType(0), P::TYPE_NIL);
    EXPECT_TRUE(ScriptSystem::getBool(*results.get(1)));
    EXPECT_EQ(ScriptSystem::getNumber(*results.get(2)), 7.0);
    EXPECT_EQ(ScriptSystem::getNumber(*results.get(3)), -3.0);
    EXPECT_EQ(ScriptSystem::getNumber(*results.get(4)), 1.5);
    EXPECT_EQ(ScriptSystem::getString(*results.get(5)), "text");
    EXPECT_EQ(ScriptSystem::getPointer(*results.get(6)), &marker);
    EXPECT_EQ(ScriptSystem::getPointer(*results.get(7)), &object);
    EXPECT_EQ(results.getType(8), P::TYPE_NIL);
    EXPECT_EQ(lua_gettop(state), 0);

    // Numbers read as strings and numeric strings as numbers; other mismatches give nil.
    LuaParameters mixed;
    mixed.addString("");
    mixed.addInt(0);
    mixed.addString("");
    mixed.addFloat(5);
    mixed.pushBack(pointerParameter(P::TYPE_OBJECT, &marker));
    mixed.addNil();
    ASSERT_TRUE(ScriptSystem::callFunction(*state, "mixed", "", LuaParameters(), &mixed));
    EXPECT_EQ(ScriptSystem::getString(*mixed.get(0)), "7");
    EXPECT_EQ(ScriptSystem::getNumber(*mixed.get(1)), 12.0);
    const P::ParameterType nils[] = {P::TYPE_NIL, P::TYPE_NIL, P::TYPE_NIL, P::TYPE_NIL};
    for (std::size_t i = 2; i < mixed.size(); ++i) {
        EXPECT_EQ(mixed.getType(i), nils[i - 2]) << i;
    }
}

TEST_F(ScriptSystemTest, AFieldIsCalledAsAMethodOfItsGlobal) {
    trellin_test::expectLog("Lua Error: cannot call 'u:add': 'u' is not a table");
    trellin_test::expectLog("Lua Error: cannot call 'absent:add': 'absent' is not a table");
    lua_State* state = stateWith("t = {n = 5} function t.add(self, x) return self.n + x end u = 3");
    LuaParameters params;
    params.addInt(2);
    LuaParameters results;
    results.addInt(-1);
    ASSERT_TRUE(ScriptSystem::callFunction(*state, "t", "add", params, &results)) << log;
    EXPECT_EQ(ScriptSystem::getNumber(*results.get(0)), 7.0);

    for (const char* global : {"u", "absent"}) {
        ScriptSystem::setNumber(*results.get(0), -1);
        log.clear();
        EXPECT_FALSE(ScriptSystem::callFunction(*state, global, "add", params, &results));
        EXPECT_EQ(ScriptSystem::getNumber(*results.get(0)), -1.0) << global;
        EXPECT_TRUE(logged("is not a table")) << log;
        EXPECT_EQ(lua_gettop(state), 0);
    }
}

TEST_F(ScriptSystemTest, ScriptErrorsAreLoggedAndNotRaised) {
    trellin_test::expectLog("Lua Error: [string \"error('chunk failed')\"]:1: chunk failed");
    trellin_test::expectLog("Lua Error: [string \"this is not Lua\"]:1: '=' expected near 'is'");
    trellin_test::expectLog("Lua Error: (error object is a table value)");
    trellin_test::expectLog(
        "Lua Error: [string \"function fail() error('call failed') end\"]:1: call failed");
    lua_State* state = stateWith("function fail() error('call failed') end");
    EXPECT_FALSE(ScriptSystem::callLua(state, "error('chunk failed')"));
    EXPECT_TRUE(logged("Lua Error: "));
    EXPECT_TRUE(logged("chunk failed")) << log;
    EXPECT_FALSE(ScriptSystem::callLua(state, "this is not Lua"));
    EXPECT_TRUE(logged("'=' expected")) << log;
    EXPECT_FALSE(ScriptSystem::callLua(state, "error({})"));
    EXPECT_TRUE(logged("(error object is a table value)")) << log;

    LuaParameters results;
    results.addString("unchanged");
    EXPECT_FALSE(ScriptSystem::callFunction(*state, "fail", "", LuaParameters(), &results));
    EXPECT_TRUE(logged("call failed")) << log;
    EXPECT_EQ(ScriptSystem::getString(*results.get(0)), "unchanged");
    EXPECT_EQ(lua_gettop(state), 0);
    EXPECT_EQ(run(state, "result = 'still running'"), "still running");
    // Nobody reads a chunk's results: they do not pile up on the stack either.
    EXPECT_TRUE(ScriptSystem::callLua(state, "return 1, 2, 3"));
    EXPECT_EQ(lua_gettop(state), 0);
}

TEST_F(ScriptSystemTest, CallGlobalRunsATableFunctionOfTheMainState) {
    ASSERT_TRUE(ScriptSystem::callLua(ScriptSystem::mainState_,
                                      "t = {} function t.f(a, b) return a + b, a * b end u = 1"));
    lua_State* state = stateWith(
        "local r = {zqLuaCallGlobal('t', 'f', 3, 4)} result = #r .. ' ' .. r[1] .. ' ' .. r[2] "
        "none = select('#', zqLuaCallGlobal('u', 'f', 3, 4)) "
        "absent = select('#', zqLuaCallGlobal('absent', 'f'))");
    EXPECT_EQ(global(state, "result"), "2 7 12");
    EXPECT_EQ(global(state, "none"), "0");
    EXPECT_EQ(global(state, "absent"), "0");
    EXPECT_EQ(lua_gettop(ScriptSystem::mainState_), 0);
}

TEST_F(ScriptSystemTest, CallGlobalCopiesValuesBetweenStatesByType) {
    ASSERT_TRUE(
        ScriptSystem::callLua(ScriptSystem::mainState_,
                              "t = {} "
                              "function t.types(...) "
                              "  local r = {} "
                              "  for i = 1, select('#', ...) do r[i] = type((select(i, ...))) end "
                              "  return table.concat(r, ','), ... "
                              "end "
                              "function t.own() return {}, print, 'text', 2 end"));
    int marker = 0;
    lua_State* state = scripts->createLuaState("test", true);
    lua_pushlightuserdata(state, &marker);
    lua_setglobal(state, "marker");
    EXPECT_EQ(run(state,
                  "local r = {zqLuaCallGlobal('t', 'types', nil, true, 2.5, 'text', marker, {}, "
                  "print)} "
                  "local back = {} "
                  "for i = 2, 8 do back[#back + 1] = type(r[i]) end "
                  "result = r[1] .. ' / ' .. table.concat(back, ',') .. ' ' .. "
                  "tostring(r[3]) .. tostring(r[4]) .. r[5] .. tostring(r[6] == marker)"),
              "nil,boolean,number,string,userdata,nil,nil / "
              "nil,boolean,number,string,userdata,nil,nil true2.5texttrue");
    EXPECT_EQ(run(state,
                  "local a, b, c, d = zqLuaCallGlobal('t', 'own') "
                  "result = type(a) .. type(b) .. c .. d"),
              "nilniltext2");
}

TEST_F(ScriptSystemTest, ErrorsOfTheMainStateAreRaisedInTheCaller) {
    trellin_test::expectLog(
        "Lua Error: [string \"zqLuaCallGlobal('t', 'fail') reached = true\"]:1: [string \"t = {} "
        "function t.fail() error('main failed...\"]:1: main failed");
    ASSERT_TRUE(ScriptSystem::callLua(ScriptSystem::mainState_,
                                      "t = {} function t.fail() error('main failed') end"));
    lua_State* state = stateWith(
        "local ok, message = pcall(zqLuaCallGlobal, 't', 'fail') "
        "result = tostring(ok) .. ' ' .. message "
        "local ok2, message2 = pcall(zqLuaCallGlobal, 't', 'missing') "
        "missing = tostring(ok2) .. ' ' .. message2");
    EXPECT_EQ(global(state, "result").find("false "), 0u);
    EXPECT_NE(global(state, "result").find("main failed"), std::string::npos);
    EXPECT_NE(global(state, "missing").find("attempt to call a nil value"), std::string::npos);
    EXPECT_EQ(lua_gettop(ScriptSystem::mainState_), 0);

    // Unprotected in the caller, the error ends its chunk and is logged.
    log.clear();
    EXPECT_FALSE(ScriptSystem::callLua(state, "zqLuaCallGlobal('t', 'fail') reached = true"));
    EXPECT_TRUE(logged("main failed")) << log;
    EXPECT_EQ(global(state, "reached"), "nil");
}

TEST_F(ScriptSystemTest, MissingOrNonStringArgumentsRaiseLuaErrors) {
    lua_State* state = stateWith("");
    const char* calls[] = {
        "zqLuaCallGlobal()",        "zqLuaCallGlobal('t')", "zqLuaCallGlobal({}, 'f')",
        "zqLuaCallGlobal('t', {})", "zqLuaDoFile()",        "zqLuaDoFile(nil)",
        "zqLuaDoFile({})",
    };
    for (const char* call : calls) {
        const std::string chunk = std::string("local ok, message = pcall(function() ") + call +
                                  " end) result = tostring(ok) .. ' ' .. message";
        const std::string result = run(state, chunk.c_str());
        EXPECT_EQ(result.find("false "), 0u) << call << ": " << result;
        EXPECT_NE(result.find("bad argument"), std::string::npos) << call << ": " << result;
    }
}

TEST_F(ScriptSystemTest, DoFileRunsFilesAndArchiveMembersInTheCallersState) {
    trellin_test::expectLog("Lua Error: [string \"scripts/fail.lua\"]:1: file failed");
    trellin_test::TempDirectory dir;
    dir.write("scripts/set.lua", "platform = zqLuaGetPlatform()");
    dir.write("scripts/fail.lua", "error('file failed')");
    FileBase::setRootPath(dir.path().c_str());
    lua_State* state = stateWith(
        "zqLuaDoFile('scripts/set.lua') zqLuaDoFile('scripts/fail.lua') "
        "zqLuaDoFile('scripts\\\\absent.lua') after = 'ran on'");
    EXPECT_EQ(global(state, "platform"), "Playbook");
    EXPECT_EQ(global(state, "after"), "ran on");
    EXPECT_TRUE(logged("file failed")) << log;
    EXPECT_TRUE(logged("scripts/fail.lua")) << log;

    trellin::Bytes pak;
    std::string error;
    ASSERT_TRUE(trellin::buildPak(
        {{"scripts/Lua/member.lua", trellin_test::bytesOf("member = 'from the archive'")}}, pak,
        error))
        << error;
    dir.write("trellin.pak", pak);
    FileBase::setRootPath((dir / "trellin.pak").c_str());
    EXPECT_TRUE(ScriptSystem::loadScript(state, "scripts/Lua/member.lua"));
    EXPECT_EQ(global(state, "member"), "from the archive");
    EXPECT_FALSE(ScriptSystem::loadScript(state, "scripts/Lua/absent.lua"));
}

// In a loose-file build the scripts' files are under the data folder, and stay there.
TEST_F(ScriptSystemTest, DoFileRunsNothingFromOutsideTheRoot) {
    trellin_test::TempDirectory dir;
    dir.write("escape.lua", "escaped = 'yes'");
    dir.write("TrellinData/scripts/inside.lua", "inside = 'yes'");
    FileBase::setRootPath((dir / "TrellinData").c_str());
    lua_State* state = stateWith(
        "zqLuaDoFile('../escape.lua') zqLuaDoFile('scripts/../../escape.lua') "
        "zqLuaDoFile('..\\\\escape.lua') zqLuaDoFile('scripts/inside.lua')");
    EXPECT_EQ(global(state, "escaped"), "nil");
    EXPECT_EQ(global(state, "inside"), "yes");
    EXPECT_FALSE(ScriptSystem::loadScript(state, "../escape.lua"));
    EXPECT_EQ(global(state, "escaped"), "nil");
}

TEST_F(ScriptSystemTest, UpdateRunsRequestsAndAnswersTheirSenders) {
    trellin_test::expectLog("Lua Error: a script request names no state");
    MessageQueue<IncomingScriptMessage> requests = MessageSystem::getQueue<IncomingScriptMessage>();
    // With no state at all a request runs nowhere.
    boost::shared_ptr<IncomingScriptMessage> lost(new IncomingScriptMessage());
    lost->stateName = "calls";
    lost->functionName = "add";
    ASSERT_TRUE(requests.postMessage(lost));
    scripts->update();
    EXPECT_TRUE(logged("a script request names no state")) << log;

    stateWith(
        "function add(a, b) return a + b end t = {k = 10} function t.get(self) return self.k end",
        "calls");
    const struct {
        uint32_t sender;
        const char* state;
        const char* function;
        const char* field;
        double answer;
    } cases[] = {
        {7, "calls", "add", "", 5.0},
        {0, "calls", "add", "", 0.0},
        {8, "calls", "t", "get", 10.0},
        // An unknown state name reaches the first state.
        {9, "absent", "add", "", 5.0},
    };
    for (const auto& c : cases) {
        boost::shared_ptr<IncomingScriptMessage> request(new IncomingScriptMessage());
        request->sender = c.sender;
        request->stateName = c.state;
        request->functionName = c.function;
        request->fieldName = c.field;
        request->params.addInt(2);
        request->params.addInt(3);
        request->results.addFloat(-1.0f);
        ASSERT_TRUE(requests.postMessage(request));
    }
    scripts->update();
    EXPECT_EQ(MessageQueueActual<IncomingScriptMessage>::instance()->size(), 0u);

    MessageQueue<OutgoingScriptMessage> answers = MessageSystem::getQueue<OutgoingScriptMessage>();
    EXPECT_EQ(answers.snapshotSize(), 3u);
    boost::shared_ptr<OutgoingScriptMessage> answer;
    while (answers.nextMessage(answer)) {
        const auto* c = std::find_if(std::begin(cases), std::end(cases),
                                     [&](const auto& c) { return c.sender == answer->sender; });
        ASSERT_NE(c, std::end(cases));
        EXPECT_EQ(answer->stateName, HashString(c->state));
        EXPECT_EQ(answer->functionName, c->function);
        EXPECT_EQ(answer->fieldName, c->field);
        EXPECT_EQ(answer->params.size(), 2u);
        EXPECT_EQ(ScriptSystem::getNumber(*answer->results.get(0)), c->answer) << c->sender;
    }
}

TEST_F(ScriptSystemTest, ManyParametersFitOnTheStackAndTooManyFailTheCall) {
    trellin_test::expectLog("Lua Error: too many parameters for 'count'");
    lua_State* state = stateWith("function count(...) return select('#', ...) end");
    LuaParameters params;
    for (int i = 0; i < 200; ++i) {
        params.addInt(i);
    }
    LuaParameters results;
    results.addInt(0);
    ASSERT_TRUE(ScriptSystem::callFunction(*state, "count", "", params, &results)) << log;
    EXPECT_EQ(ScriptSystem::getNumber(*results.get(0)), 200.0);

    while (params.size() <= LUAI_MAXCSTACK) {
        params.addInt(0);
    }
    EXPECT_FALSE(ScriptSystem::callFunction(*state, "count", "", params, &results));
    EXPECT_TRUE(logged("too many parameters")) << log;
    EXPECT_EQ(ScriptSystem::getNumber(*results.get(0)), 200.0);
}

TEST_F(ScriptSystemTest, RunawayScriptsFailCleanly) {
    trellin_test::expectLog(
        "Lua Error: [string \"function long() return string.rep('x', 5 * ...\"]:1: stack overflow");
    trellin_test::expectLog("Lua Error: not enough memory", 2);
    trellin_test::expectLog("Lua Error: [string \"self.lua\"]:1: chunk has too many syntax levels");
    lua_State* state = stateWith(
        "function long() return string.rep('x', 5 * 1024 * 1024) end "
        "function deep() return 1 + deep() end "
        "function huge() return string.rep('x', 2 ^ 30) end");
    // A long string result arrives whole.
    LuaParameters results;
    results.addString("short");
    ASSERT_TRUE(ScriptSystem::callFunction(*state, "long", "", LuaParameters(), &results)) << log;
    EXPECT_EQ(ScriptSystem::getString(*results.get(0)).size(), 5u * 1024 * 1024);

    const struct {
        const char* function;
        const char* error;
    } cases[] = {
        {"deep", "stack overflow"},
        {"huge", "not enough memory"},
    };
    for (const auto& c : cases) {
        log.clear();
        EXPECT_FALSE(ScriptSystem::callFunction(*state, c.function, "", LuaParameters(), nullptr));
        EXPECT_TRUE(logged(c.error)) << c.function << ": " << log;
    }
    log.clear();
    EXPECT_FALSE(ScriptSystem::callLua(state, "local s = 'x' while true do s = s .. s end"));
    EXPECT_TRUE(logged("not enough memory")) << log;

    // A file that runs itself nests until Lua's limit of nested C calls ends it.
    trellin_test::TempDirectory dir;
    dir.write("self.lua", "depth = (depth or 0) + 1 zqLuaDoFile('self.lua')");
    FileBase::setRootPath(dir.path().c_str());
    log.clear();
    EXPECT_TRUE(ScriptSystem::loadScript(state, "self.lua"));
    EXPECT_TRUE(logged("Lua Error: ")) << log;
    EXPECT_GT(std::stoi(global(state, "depth")), 100);
    EXPECT_EQ(run(state, "result = 'recovered'"), "recovered");
}
