#pragma once

#include <cstddef>

#include <lua.hpp>

#include "ui/script/LuaInstructionBudget.h"

namespace orvo {

// Engine code enters a Lua state only through protected calls: an error raised outside one
// ends the process (Lua's panic), and with the C++ build of Lua an error is an exception that
// must never reach the game. Even pushing a string or growing the stack may raise (out of
// memory), so each piece of work runs whole in protected mode, on a frame of its own whose
// values are gone when it returns.
class LuaProtectedCall {
public:
    // Error texts copied out of a state are cut to this many bytes.
    static constexpr std::size_t ERROR_TEXT_SIZE = 512;

    // Runs work(state) in protected mode. Returns Lua's status: 0, or an error code with the
    // error object left on top of the stack.
    template <class Work>
    static int run(lua_State* state, Work& work) {
        const LuaInstructionBudget::Entry entry;
        return lua_cpcall(state, &enter<Work>, &work);
    }

    // As run, but an error is logged and popped: true when the work completed.
    template <class Work>
    static bool runLogged(lua_State* state, Work& work) {
        if (run(state, work) == 0) {
            return true;
        }
        logError(state);
        return false;
    }

    // Logs the error object on top of the stack as a script error and pops it.
    static void logError(lua_State* state);
    // Logs a script error of the engine's own.
    static void logError(const char* text);
    // Copies the text of the error object at index into text (NUL-terminated, cut to fit)
    // without raising: other values than strings and numbers are described by their type.
    static void copyErrorText(lua_State* state, int index, char (&text)[ERROR_TEXT_SIZE]);

private:
    template <class Work>
    static int enter(lua_State* state) {
        Work& work = *static_cast<Work*>(lua_touserdata(state, 1));
        lua_pop(state, 1);
        work(state);
        return 0;
    }
};

}  // namespace orvo
