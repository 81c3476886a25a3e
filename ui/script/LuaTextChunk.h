#pragma once

#include <cstddef>

#include <lua.hpp>

namespace orvo {

// Loads Lua chunks from text only. Lua 5.1 runs precompiled (binary) chunks without checking
// them, so a crafted one can corrupt memory: every load of the service and of its scripts goes
// through here and refuses a chunk whose first byte is that of the binary signature.
class LuaTextChunk {
public:
    static constexpr const char* REFUSED = "precompiled chunks are not accepted";

    // As lua_load: 0 with the chunk's function pushed, or an error code with the message.
    // Errors are caught inside, as lua_load does.
    static int load(lua_State* state, lua_Reader reader, void* data, const char* chunkName);
    static int load(lua_State* state, const char* text, std::size_t size, const char* chunkName);

    // The base library's load(function [, name]) and loadstring(text [, name]) for text only:
    // the function, or nil and the error message.
    static int scriptLoad(lua_State* state);
    static int scriptLoadString(lua_State* state);
};

}  // namespace orvo
