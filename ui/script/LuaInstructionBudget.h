#pragma once

#include <lua.hpp>

namespace orvo {

// Stops scripts that run away (endless loops, endless tail calls). Every state counts the Lua
// instructions it runs, and each entry of engine code into Lua may run up to the limit, counted
// over everything it leads to in any state. Past the limit the script gets an error on every
// further instruction, so no pcall inside the script can keep it going. Main thread only.
class LuaInstructionBudget {
public:
    // Far beyond what configuration needs, yet a fraction of a second of Lua.
    static constexpr unsigned long DEFAULT_LIMIT = 10000000;

    // Puts the counting hook on a new state; the threads it makes inherit it.
    static void attach(lua_State* state);
    // For tools that run many small scripts, such as the fuzz targets.
    static void setLimit(unsigned long limit) { limit_ = limit; }
    static unsigned long getLimit() { return limit_; }

    // One entry of engine code into Lua. The outermost one starts a new budget; nested ones
    // (a file run by a script, a call into the main state) spend their caller's.
    class Entry {
    public:
        Entry() {
            if (depth_++ == 0) {
                used_ = 0;
            }
        }
        ~Entry() { --depth_; }
        Entry(const Entry&) = delete;
        Entry& operator=(const Entry&) = delete;
    };

private:
    static constexpr int INTERVAL = 1000;

    static void count(lua_State* state, lua_Debug* event);

    static unsigned long limit_;
    static unsigned long used_;
    static int depth_;
};

}  // namespace orvo
