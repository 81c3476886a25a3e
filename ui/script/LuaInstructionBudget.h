#pragma once

#include <chrono>

#include <lua.hpp>

namespace orvo {

// Stops scripts that run away (endless loops, endless tail calls, slow library calls over and
// over). Every state counts the Lua instructions it runs, and each entry of engine code into Lua
// may run up to the instruction limit and up to the time limit, both counted over everything it
// leads to in any state. Past either the script gets an error on every further instruction, so no
// pcall inside the script can keep it going. Main thread only.
//
// The count runs per thread and is seen every INTERVAL instructions, so the instructions a
// coroutine runs before its first count would never be seen: each new coroutine is charged a
// whole interval up front instead. The clock is read at each count too, so a chunk stops at
// most an interval of instructions past its time limit; a single instruction or library call
// is never cut short (its work is bounded by the memory it may use).
class LuaInstructionBudget {
public:
    // Far beyond what configuration needs, yet a fraction of a second of Lua.
    static constexpr unsigned long DEFAULT_LIMIT = 10000000;
    static constexpr double DEFAULT_TIME_LIMIT = 1.0;
    // What a new coroutine is charged.
    static constexpr unsigned long INTERVAL = 1000;

    // Puts the counting hook on a new state; the threads it makes inherit it.
    static void attach(lua_State* state);
    // For tools that run many small scripts, such as the fuzz targets.
    static void setLimit(unsigned long limit) { limit_ = limit; }
    static unsigned long getLimit() { return limit_; }
    static void setTimeLimit(double seconds);
    static double getTimeLimit();

    // Adds work done outside the instruction count (by native functions) to the running entry's
    // count, and raises the script's error when its budget or its time is spent.
    static void charge(lua_State* state, unsigned long instructions);

    // One entry of engine code into Lua. The outermost one starts a new budget and a new time;
    // nested ones (a file run by a script, a call into the main state) spend their caller's.
    class Entry {
    public:
        Entry();
        ~Entry() { --depth_; }
        Entry(const Entry&) = delete;
        Entry& operator=(const Entry&) = delete;
    };

private:
    typedef std::chrono::steady_clock Clock;

    enum Stop { RUNNING, OVER_LIMIT, OVER_TIME };

    static void count(lua_State* state, lua_Debug* event);
    static void stop(lua_State* state);

    static unsigned long limit_;
    static Clock::duration timeLimit_;
    static unsigned long used_;
    static Clock::time_point started_;
    static Stop stopped_;
    static int depth_;
};

}  // namespace orvo
