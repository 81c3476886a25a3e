#include "ui/script/LuaInstructionBudget.h"

namespace orvo {

unsigned long LuaInstructionBudget::limit_ = LuaInstructionBudget::DEFAULT_LIMIT;
LuaInstructionBudget::Clock::duration LuaInstructionBudget::timeLimit_ =
    std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(DEFAULT_TIME_LIMIT));
unsigned long LuaInstructionBudget::used_ = 0;
LuaInstructionBudget::Clock::time_point LuaInstructionBudget::started_;
LuaInstructionBudget::Stop LuaInstructionBudget::stopped_ = LuaInstructionBudget::RUNNING;
int LuaInstructionBudget::depth_ = 0;

LuaInstructionBudget::Entry::Entry() {
    if (depth_++ == 0) {
        used_ = 0;
        stopped_ = RUNNING;
        started_ = Clock::now();
    }
}

void LuaInstructionBudget::attach(lua_State* state) {
    lua_sethook(state, &count, LUA_MASKCOUNT, INTERVAL);
}

void LuaInstructionBudget::setTimeLimit(double seconds) {
    timeLimit_ =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

double LuaInstructionBudget::getTimeLimit() {
    return std::chrono::duration<double>(timeLimit_).count();
}

void LuaInstructionBudget::charge(lua_State* state, unsigned long instructions) {
    used_ += instructions;
    if (stopped_ == RUNNING) {
        if (used_ > limit_) {
            stopped_ = OVER_LIMIT;
        } else if (Clock::now() - started_ > timeLimit_) {
            stopped_ = OVER_TIME;
        }
    }
    if (stopped_ != RUNNING) {
        stop(state);
    }
}

void LuaInstructionBudget::count(lua_State* state, lua_Debug*) {
    // The hook runs every hook-count instructions of this thread.
    charge(state, static_cast<unsigned long>(lua_gethookcount(state)));
    // A thread stopped by an earlier entry goes back to the usual interval.
    if (lua_gethookcount(state) != static_cast<int>(INTERVAL)) {
        attach(state);
    }
}

void LuaInstructionBudget::stop(lua_State* state) {
    // From now on every instruction of this thread fails: when a pcall in the script catches
    // the error, the next instruction of its caller raises it again.
    lua_sethook(state, &count, LUA_MASKCOUNT, 1);
    const bool overTime = stopped_ == OVER_TIME;
    luaL_error(state, "script stopped after running more than %f %s",
               overTime ? static_cast<lua_Number>(getTimeLimit()) : static_cast<lua_Number>(limit_),
               overTime ? "seconds" : "instructions");
}

}  // namespace orvo
