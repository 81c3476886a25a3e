#include "ui/script/LuaInstructionBudget.h"

namespace orvo {

unsigned long LuaInstructionBudget::limit_ = LuaInstructionBudget::DEFAULT_LIMIT;
unsigned long LuaInstructionBudget::used_ = 0;
int LuaInstructionBudget::depth_ = 0;

void LuaInstructionBudget::attach(lua_State* state) {
    lua_sethook(state, &count, LUA_MASKCOUNT, INTERVAL);
}

void LuaInstructionBudget::count(lua_State* state, lua_Debug*) {
    // The hook runs every hook-count instructions of this thread.
    used_ += static_cast<unsigned long>(lua_gethookcount(state));
    if (used_ <= limit_) {
        // A thread stopped by an earlier budget goes back to the usual interval.
        if (lua_gethookcount(state) != INTERVAL) {
            attach(state);
        }
        return;
    }
    // From now on every instruction of this thread fails: when a pcall in the script catches
    // the error, the next instruction of its caller raises it again.
    lua_sethook(state, &count, LUA_MASKCOUNT, 1);
    luaL_error(state, "script stopped after running more than %f instructions",
               static_cast<lua_Number>(limit_));
}

}  // namespace orvo
