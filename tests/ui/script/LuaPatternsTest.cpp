#include <gtest/gtest.h>

#include <lua.hpp>

#include <string>

#include "tests/ui/script/LuaResultText.h"
#include "tests/ui/script/ScriptFixture.h"

using namespace orvo;

namespace {

// gmatch's results as text.
const char COLLECT[] =
    "function collect(iterator) "
    "  local all = {} "
    "  for a, b in iterator do all[#all + 1] = show(a, b) end "
    "  return table.concat(all, ', ') "
    "end";

// The same expressions in a state of the scripts and in one with Lua's own libraries.
class LuaPatternsTest : public trellin_test::ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        const std::string setup = std::string(trellin_test::LUA_SHOW_RESULTS) + COLLECT;
        scriptState = stateWith(setup.c_str());
        library = luaL_newstate();
        ASSERT_NE(library, nullptr);
        luaL_openlibs(library);
        ASSERT_EQ(luaL_dostring(library, setup.c_str()), 0);
    }
    void TearDown() override {
        if (library != nullptr) {
            lua_close(library);
        }
        ScriptFixture::TearDown();
    }

    static std::string chunkFor(const char* expression) {
        return std::string("result = show(pcall(function() return ") + expression + " end))";
    }

    std::string ours(const char* expression) {
        EXPECT_TRUE(ScriptSystem::callLua(scriptState, chunkFor(expression).c_str())) << log;
        return global(scriptState, "result");
    }

    std::string libraries(const char* expression) {
        EXPECT_EQ(luaL_dostring(library, chunkFor(expression).c_str()), 0);
        return global(library, "result");
    }

    lua_State* scriptState = nullptr;
    lua_State* library = nullptr;
};

}  // namespace

TEST_F(LuaPatternsTest, ResultsAndErrorsAreThoseOfLuasOwnFunctions) {
    const char* expressions[] = {
        // find: positions, plain text, captures, anchors.
        "string.find('hello world', 'o w')",
        "string.find('hello', 'l+')",
        "string.find('hello', 'l', -2)",
        "string.find('hello', 'l', -10)",
        "string.find('hello', 'l', 10)",
        "string.find('hello', '', 10)",
        "string.find('hello', '', 6)",
        "string.find('a.b', '.', 1, true)",
        "string.find('a.b', '.', 1, false)",
        "string.find('a+b', '+')",
        "string.find('a\\0b', '\\0')",
        "string.find('a\\0b', '%z')",
        "string.find('a\\0b', 'b\\0')",
        "string.find('ab', '(a)(b)')",
        "string.find('ab', '()a()')",
        "string.find('aaa', '^a')",
        "string.find('baa', '^a')",
        "string.find('x^y', 'x^y')",
        "string.find(12345, 34)",
        "string.find('abc', '')",
        "string.find('', '')",
        // match: classes, sets, repetitions, balances, frontiers, back-references.
        "string.match('key = value', '(%w+)%s*=%s*(%w+)')",
        "string.match('  x  ', '^%s*(.-)%s*$')",
        "string.match('hello', '()ll()')",
        "string.match('THE (quick) fox', '%((%a+)%)')",
        "string.match('f(a(b)c)d', '%b()')",
        "string.match('f(a(b)c', '%b()')",
        "string.match('xx', '%bxx')",
        "string.match('THE (quick) fox', '%f[%a]%a+', 5)",
        "string.match('the end', '%f[%z]')",
        "string.find('\\1x', '%f[\\1]')",
        "string.match('abab', '(ab)%1')",
        "string.match('abac', '(ab)%1')",
        "string.match('ab', '()%1')",
        "string.match('abc-', '[%a-]+')",
        "string.match('a-z', '[a%-z]+')",
        "string.match('x]y', '[]x]+')",
        "string.match('x^y', '[^^]+')",
        "string.match('b-', '[a-]+')",
        "string.match('09afG', '%x+')",
        "string.match('aB1 ', '%u%d')",
        "string.match('Ab1_ \\t', '%W+')",
        "string.match('abc', 'a-c')",
        "string.match('abc', 'a?b?c?d?')",
        "string.match('hello', '.-l')",
        "string.match('', '.*')",
        "string.match('abc', '(a(b)c)')",
        "string.match('\\1\\2x', '%c+')",
        "string.match('a.b', '%p')",
        "string.match('aaa', 'a-$')",
        "string.match('a$b', 'a$b')",
        "string.match('aaab', 'a*ab')",
        "string.match('aaab', 'a+$')",
        // gmatch and its old name: empty matches, captures, '^' as a character.
        "collect(string.gmatch('one two  three', '%a+'))",
        "collect(string.gmatch('abc', ''))",
        "collect(string.gmatch('k=v, a=b', '(%w+)=(%w+)'))",
        "collect(string.gmatch('^a^a', '^a'))",
        "collect(string.gmatch('abc', '()'))",
        "collect(string.gfind('ab', '.'))",
        // gsub: every kind of replacement, limits, anchors.
        "string.gsub('hello world', 'o', '0')",
        "string.gsub('hello', '', '-')",
        "string.gsub('a b', '%s*', '-')",
        "string.gsub('hello world', '(%w+)', '<%1>')",
        "string.gsub('abc', '%w', '%0%0')",
        "string.gsub('abc', '.', '%1')",
        "string.gsub('abc', 'b', '%%')",
        "string.gsub('abc', 'b', '%')",
        "string.gsub('abc', 'b', '%x')",
        "string.gsub('abc', '(b)', '%1%1', 1)",
        "string.gsub('aaa', 'a', 'b', 2)",
        "string.gsub('aaa', 'a', 'b', -1)",
        "string.gsub('aaa', '^a', 'b')",
        "string.gsub('abc', '%w', {a = 'x', c = false})",
        "string.gsub('abc', '%w', function(c) if c ~= 'b' then return c:upper() end end)",
        "string.gsub('abc', '(%w)()', function(c, p) return p end)",
        "string.gsub('abc', 'b', 12)",
        "string.gsub(1000, '0', 1.5)",
        // Errors.
        "string.find('a', '%')",
        "string.find('a', '[a')",
        "string.find('a', '[^')",
        "string.find('a', '[a%')",
        "string.find('a', '%b')",
        "string.find('a', '%ba')",
        "string.find('a', '%fa')",
        "string.find('a', '(a')",
        "string.match('a', 'a)')",
        "string.find('aa', '(a)%2')",
        "string.find('a', '%0')",
        "string.find('a', string.rep('()', 33))",
        "string.gsub('abc', '%w', '%2')",
        "string.gsub('abc', '%w', {a = true})",
        "string.gsub('abc', '%w', function() return {} end)",
        "string.gsub('abc', 'b')",
        "string.find('x', {})",
        "string.find('abc', 'b', 'x')",
        "string.match(nil, 'x')",
        "string.gmatch('x')",
    };
    for (const char* expression : expressions) {
        EXPECT_EQ(ours(expression), libraries(expression)) << expression;
    }
}
