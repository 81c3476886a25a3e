#pragma once

#include "core/hash/HashString.h"
#include "core/text/ZqString.h"

struct lua_State;

namespace orvo {

// Configuration values read out of a Lua file or text: the chunk runs in a state of its own
// (no libraries) and its globals are the values. The state belongs to the ScriptSystem service:
// made without the service, every key reads as absent, and a store is not read once the
// service is gone (its state closes with the service).
class ScriptValueStore {
public:
    // isFile: pathOrText is a file path (relative to the root path); else it is the chunk.
    ScriptValueStore(const ZqString& pathOrText, bool isFile);
    ~ScriptValueStore();
    ScriptValueStore(const ScriptValueStore&) = delete;
    ScriptValueStore& operator=(const ScriptValueStore&) = delete;

    bool isBool(const char* key) const;
    // Numbers count as strings, and strings holding a number as numbers.
    bool isString(const char* key) const;
    bool isNumber(const char* key) const;
    // Absent keys and values of other types give 0, false and an empty string.
    int getInt(const char* key) const;
    unsigned int getUint(const char* key) const;
    float getFloat(const char* key) const;
    bool getBool(const char* key) const;
    ZqString getString(const char* key) const;

    HashString name;
    lua_State* state;
};

}  // namespace orvo
