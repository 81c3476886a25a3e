#include "ui/script/LuaTextChunk.h"

namespace orvo {

namespace {

// Hands on the blocks of another reader and raises an error, inside lua_load's protection,
// when the chunk starts as a binary one.
struct TextOnlyReader {
    lua_Reader reader;
    void* data;
    bool started;
};

const char* readTextOnly(lua_State* state, void* data, std::size_t* size) {
    TextOnlyReader& text = *static_cast<TextOnlyReader*>(data);
    const char* block = text.reader(state, text.data, size);
    if (!text.started && block != nullptr && *size > 0) {
        text.started = true;
        if (block[0] == LUA_SIGNATURE[0]) {
            luaL_error(state, "%s", LuaTextChunk::REFUSED);
        }
    }
    return block;
}

struct Buffer {
    const char* text;
    std::size_t size;
};

const char* readBuffer(lua_State*, void* data, std::size_t* size) {
    Buffer& buffer = *static_cast<Buffer*>(data);
    *size = buffer.size;
    buffer.size = 0;
    return *size > 0 ? buffer.text : nullptr;
}

// The pieces come from calling the function at index 1; each is kept at index 3 while Lua
// reads it.
const char* readFromFunction(lua_State* state, void*, std::size_t* size) {
    luaL_checkstack(state, 2, "too many nested functions");
    lua_pushvalue(state, 1);
    lua_call(state, 0, 1);
    if (lua_isnil(state, -1)) {
        lua_pop(state, 1);
        *size = 0;
        return nullptr;
    }
    if (!lua_isstring(state, -1)) {
        luaL_error(state, "reader function must return a string");
    }
    lua_replace(state, 3);
    return lua_tolstring(state, 3, size);
}

int loadResults(lua_State* state, int status) {
    if (status == 0) {
        return 1;
    }
    lua_pushnil(state);
    lua_insert(state, -2);
    return 2;
}

}  // namespace

int LuaTextChunk::load(lua_State* state, lua_Reader reader, void* data, const char* chunkName) {
    TextOnlyReader text = {reader, data, false};
    return lua_load(state, &readTextOnly, &text, chunkName);
}

int LuaTextChunk::load(lua_State* state, const char* text, std::size_t size,
                       const char* chunkName) {
    Buffer buffer = {text, size};
    return load(state, &readBuffer, &buffer, chunkName);
}

int LuaTextChunk::scriptLoad(lua_State* state) {
    const char* chunkName = luaL_optstring(state, 2, "=(load)");
    luaL_checktype(state, 1, LUA_TFUNCTION);
    lua_settop(state, 3);
    return loadResults(state, load(state, &readFromFunction, nullptr, chunkName));
}

int LuaTextChunk::scriptLoadString(lua_State* state) {
    std::size_t size = 0;
    const char* text = luaL_checklstring(state, 1, &size);
    const char* chunkName = luaL_optstring(state, 2, text);
    return loadResults(state, load(state, text, size, chunkName));
}

}  // namespace orvo
