#pragma once

#include <lua.hpp>

namespace orvo {

// The libraries that states may open: base, string, table and math (io, os, package and debug
// reach outside the game), fitted so that scripts cannot harm the process:
// - the base library keeps no file access (dofile, loadfile): files are read through
//   zqLuaDoFile, inside the archive or the data root; load and loadstring take text only;
//   newproxy is gone, since the finalizers it allows run with the instruction hook off, and
//   xpcall runs its handler once the error has unwound, where the hook is on;
// - the pattern functions are LuaPatterns', whose work counts against the instruction budget;
// - a new coroutine is charged to the budget (see LuaInstructionBudget).
class LuaLibraries {
public:
    // Opens them in the state; raises Lua errors (out of memory), so it runs protected.
    static void open(lua_State* state);
};

}  // namespace orvo
