#pragma once

struct lua_State;

namespace orvo {

// An engine object that scripts can hold: it knows how to push itself (as a full userdata or a
// table) onto a Lua stack. Object and table parameters point to one of these.
class Scriptable {
public:
    virtual ~Scriptable() {}
    // Pushes exactly one value. Runs in protected mode: it may raise Lua errors.
    virtual void pushToLua(lua_State* state) = 0;
};

}  // namespace orvo
