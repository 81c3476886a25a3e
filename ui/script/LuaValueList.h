#pragma once

#include <cstddef>

#include <lua.hpp>

#include "core/containers/Array.h"

namespace orvo {

// Values carried from one Lua state to another. Separate states share no memory (lua_xmove only
// works between threads of one state), so each value is copied by type: nil, boolean, number,
// the bytes of a string, light userdata; anything else arrives as nil.
class LuaValueList {
public:
    LuaValueList();
    ~LuaValueList();
    LuaValueList(const LuaValueList&) = delete;
    LuaValueList& operator=(const LuaValueList&) = delete;

    // Replaces the list by copies of count values from index first upwards. Never raises;
    // false, with the list left empty, when memory for the copies ran out.
    bool read(lua_State* from, int first, int count);
    // Pushes the values in order. The caller makes room for size() values; pushing strings may
    // raise out-of-memory errors on `to`.
    void push(lua_State* to) const;
    int size() const { return static_cast<int>(values_.size()); }

private:
    struct Value {
        int type;
        bool boolean;
        lua_Number number;
        void* pointer;
        std::size_t offset;  // of a string's bytes in text_
        std::size_t length;
    };

    void clear();

    Array<Value> values_;
    char* text_;
};

}  // namespace orvo
