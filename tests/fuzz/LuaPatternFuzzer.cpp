// The scripts' pattern functions (find, match, gmatch, gfind, gsub) on arbitrary subjects,
// patterns and replacements must give exactly what Lua's own string library gives: the same
// values and the same errors. Each input runs first through the scripts' functions under their
// budget; only what finishes within it runs through Lua's own, whose matcher explores the same
// steps and so finishes too.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <lua.hpp>

#include "core/log/Logger.h"
#include "core/log/LoggerOutputFunctor.h"
#include "tests/ui/script/LuaResultText.h"
#include "ui/script/LuaInstructionBudget.h"
#include "ui/script/LuaProtectedCall.h"
#include "ui/script/ScriptSystem.h"

using namespace orvo;

namespace {

constexpr unsigned long INSTRUCTION_LIMIT = 200000;

// call(operation, subject, pattern, replacement, number) gives the results as text.
const char CALLS[] =
    "local replacements = {a = 'A', b = false, c = true, ['1'] = 1.5, x = 'xx'} "
    "local function replace(...) "
    "  local count = select('#', ...) "
    "  if count % 3 == 0 then return nil end "
    "  if count % 3 == 2 then return {} end "
    "  return tostring((...)) .. count "
    "end "
    "local function matches(gmatch, s, p) "
    "  local ok, iterator = pcall(gmatch, s, p) "
    "  if not ok then return show(ok, iterator) end "
    "  local all = {} "
    "  for i = 1, 20 do "
    "    local results = {pcall(iterator)} "
    "    all[i] = show(unpack(results)) "
    "    if not results[1] or results[2] == nil then break end "
    "  end "
    "  return table.concat(all, ', ') "
    "end "
    "function call(operation, s, p, r, n) "
    "  if operation == 0 then return show(pcall(string.find, s, p, n)) end "
    "  if operation == 1 then return show(pcall(string.find, s, p, n, true)) end "
    "  if operation == 2 then return show(pcall(string.match, s, p, n)) end "
    "  if operation == 3 then return matches(string.gmatch, s, p) end "
    "  if operation == 4 then return matches(string.gfind, s, p) end "
    "  if n == 0 then n = nil end "
    "  if operation == 5 then return show(pcall(string.gsub, s, p, r, n)) end "
    "  if operation == 6 then return show(pcall(string.gsub, s, p, replacements, n)) end "
    "  return show(pcall(string.gsub, s, p, replace, n)) "
    "end";
constexpr int OPERATIONS = 8;

class NoOutput : public LoggerOutputFunctor {
public:
    void operator()(const char*) const override {}
};

struct Input {
    int operation;
    int number;
    std::string subject;
    std::string pattern;
    std::string replacement;
};

// Fields are split at 0xff bytes, which patterns need not hold.
Input parse(const uint8_t* data, size_t size) {
    Input input = {data[0] % OPERATIONS, static_cast<int8_t>(data[1]), "", "", ""};
    std::string* fields[] = {&input.subject, &input.pattern, &input.replacement};
    std::size_t field = 0;
    for (size_t i = 2; i < size; ++i) {
        if (data[i] == 0xff && field < 2) {
            ++field;
        } else {
            fields[field]->push_back(static_cast<char>(data[i]));
        }
    }
    return input;
}

struct PatternCall {
    const Input& input;
    std::string shown;

    void operator()(lua_State* state) {
        lua_getglobal(state, "call");
        lua_pushinteger(state, input.operation);
        lua_pushlstring(state, input.subject.data(), input.subject.size());
        lua_pushlstring(state, input.pattern.data(), input.pattern.size());
        lua_pushlstring(state, input.replacement.data(), input.replacement.size());
        lua_pushinteger(state, input.number);
        const bool called = lua_pcall(state, 5, 1, 0) == 0;
        std::size_t size = 0;
        const char* text = lua_tolstring(state, -1, &size);
        shown = std::string(called ? "" : "error ") + std::string(text, size);
    }
};

std::string run(lua_State* state, const Input& input) {
    PatternCall call = {input, ""};
    if (LuaProtectedCall::run(state, call) != 0) {
        return "failed";
    }
    return call.shown;
}

lua_State* scriptState = nullptr;
lua_State* libraryState = nullptr;

bool setUp() {
    ZqLog.setOutputFunctor(new NoOutput());
    LuaInstructionBudget::setLimit(INSTRUCTION_LIMIT);
    ScriptSystem* scripts = Locator::registerService<ScriptSystem>("ScriptSystem");
    if (scripts == nullptr) {
        return false;
    }
    scriptState = scripts->createLuaState("patterns", true);
    libraryState = luaL_newstate();
    if (scriptState == nullptr || libraryState == nullptr) {
        return false;
    }
    luaL_openlibs(libraryState);
    const std::string setup = std::string(trellin_test::LUA_SHOW_RESULTS) + CALLS;
    return ScriptSystem::callLua(scriptState, setup.c_str()) &&
           luaL_dostring(libraryState, setup.c_str()) == 0;
}

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = setUp();
    if (!ready || size < 2) {
        return 0;
    }
    const Input input = parse(data, size);
    const std::string ours = run(scriptState, input);
    // Stopped by the budget, or refused before Lua's own matcher would nest too deep.
    if (contains(ours, "script stopped after running more than") ||
        contains(ours, "pattern too complex") || ours == "failed") {
        return 0;
    }
    const std::string library = run(libraryState, input);
    if (ours != library) {
        std::fprintf(stderr, "scripts:  %s\nlibrary:  %s\n", ours.c_str(), library.c_str());
        std::abort();
    }
    return 0;
}
