#include "ui/script/LuaValueList.h"

#include <cstring>

#include "core/containers/ArrayStorage.h"

namespace orvo {

LuaValueList::LuaValueList() : text_(nullptr) {}

LuaValueList::~LuaValueList() { clear(); }

void LuaValueList::clear() {
    values_.clear();
    ArrayStorage::release(text_);
    text_ = nullptr;
}

bool LuaValueList::read(lua_State* from, int first, int count) {
    clear();
    if (count <= 0) {
        return true;
    }
    if (!values_.reserve(static_cast<std::size_t>(count))) {
        return false;
    }
    std::size_t textSize = 0;
    for (int i = 0; i < count; ++i) {
        if (lua_type(from, first + i) == LUA_TSTRING) {
            textSize += lua_objlen(from, first + i);
        }
    }
    if (textSize > 0) {
        text_ = static_cast<char*>(ArrayStorage::allocate(textSize, 1, 0));
        if (text_ == nullptr) {
            clear();
            return false;
        }
    }
    std::size_t offset = 0;
    for (int i = 0; i < count; ++i) {
        const int index = first + i;
        Value value = {LUA_TNIL, false, 0, nullptr, 0, 0};
        switch (lua_type(from, index)) {
            case LUA_TBOOLEAN:
                value.type = LUA_TBOOLEAN;
                value.boolean = lua_toboolean(from, index) != 0;
                break;
            case LUA_TNUMBER:
                value.type = LUA_TNUMBER;
                value.number = lua_tonumber(from, index);
                break;
            case LUA_TSTRING: {
                const char* bytes = lua_tolstring(from, index, &value.length);
                value.type = LUA_TSTRING;
                value.offset = offset;
                if (value.length > 0) {
                    std::memcpy(text_ + offset, bytes, value.length);
                    offset += value.length;
                }
                break;
            }
            case LUA_TLIGHTUSERDATA:
                value.type = LUA_TLIGHTUSERDATA;
                value.pointer = lua_touserdata(from, index);
                break;
            default:
                break;
        }
        values_.pushBack(value);
    }
    return true;
}

void LuaValueList::push(lua_State* to) const {
    for (const Value& value : values_) {
        switch (value.type) {
            case LUA_TBOOLEAN:
                lua_pushboolean(to, value.boolean ? 1 : 0);
                break;
            case LUA_TNUMBER:
                lua_pushnumber(to, value.number);
                break;
            case LUA_TSTRING:
                lua_pushlstring(to, value.length > 0 ? text_ + value.offset : "", value.length);
                break;
            case LUA_TLIGHTUSERDATA:
                lua_pushlightuserdata(to, value.pointer);
                break;
            default:
                lua_pushnil(to);
                break;
        }
    }
}

}  // namespace orvo
