#pragma once

#include <cstdint>

#include "core/text/ZqString.h"

namespace orvo {

// One typed argument or result of a Lua call made from engine code.
class BaseLuaParameter {
public:
    enum ParameterType {
        TYPE_NIL = 0,
        TYPE_BOOL = 1,
        TYPE_UINT = 2,
        TYPE_INT = 3,
        TYPE_FLOAT = 4,
        TYPE_STRING = 5,
        TYPE_LIGHT_USERDATA = 6,  // a plain pointer
        TYPE_OBJECT = 7,          // a Scriptable that pushes itself (full userdata)
        TYPE_TABLE = 8            // a Scriptable that pushes itself as a table
    };

    explicit BaseLuaParameter(ParameterType parameterType) : type(parameterType) {}
    virtual ~BaseLuaParameter() {}

    // "INVALID TYPE" for nil and for any code outside the table.
    static const char* getTypeString(int type);
    const char* getTypeString() const { return getTypeString(type); }

    ParameterType type;
};

// A parameter holding a value of type T: bool (nil or bool), unsigned int, int, float, an
// engine string, or a pointer (codes 6 to 8). `size` is the value's size in bytes as scripts see
// it; for pointers it is whatever the caller gives.
template <class T>
class LuaParameter : public BaseLuaParameter {
public:
    LuaParameter(ParameterType parameterType, const T& initial, uint32_t byteSize)
        : BaseLuaParameter(parameterType), value(initial), size(byteSize) {}

    T value;
    uint32_t size;
};

typedef LuaParameter<bool> LuaBoolParameter;
typedef LuaParameter<unsigned int> LuaUintParameter;
typedef LuaParameter<int> LuaIntParameter;
typedef LuaParameter<float> LuaFloatParameter;
typedef LuaParameter<ZqString> LuaStringParameter;
typedef LuaParameter<void*> LuaPointerParameter;

}  // namespace orvo
