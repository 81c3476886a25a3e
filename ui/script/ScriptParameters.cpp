// The typed parameter helpers of ScriptSystem.
#include <lua.hpp>

#include "ui/script/LuaConvert.h"
#include "ui/script/ScriptSystem.h"
#include "ui/script/Scriptable.h"

namespace orvo {

namespace {

// The parameter as a LuaParameter<T> when its type is one of first to last.
template <class T>
LuaParameter<T>* holding(BaseLuaParameter& parameter, int first, int last) {
    const bool typed = parameter.type >= first && parameter.type <= last;
    return typed ? dynamic_cast<LuaParameter<T>*>(&parameter) : nullptr;
}

template <class T>
const LuaParameter<T>* holding(const BaseLuaParameter& parameter, int first, int last) {
    return holding<T>(const_cast<BaseLuaParameter&>(parameter), first, last);
}

template <class T, class Parameter>
auto holding(Parameter& parameter, int type) {
    return holding<T>(parameter, type, type);
}

}  // namespace

void ScriptSystem::setNil(BaseLuaParameter& parameter) {
    if (LuaBoolParameter* p = holding<bool>(parameter, BaseLuaParameter::TYPE_NIL)) {
        p->value = false;
    }
}

void ScriptSystem::setBool(BaseLuaParameter& parameter, bool value) {
    if (LuaBoolParameter* p = holding<bool>(parameter, BaseLuaParameter::TYPE_BOOL)) {
        p->value = value;
    }
}

void ScriptSystem::setNumber(BaseLuaParameter& parameter, double value) {
    if (LuaFloatParameter* p = holding<float>(parameter, BaseLuaParameter::TYPE_FLOAT)) {
        p->value = static_cast<float>(value);
    } else if (LuaIntParameter* p = holding<int>(parameter, BaseLuaParameter::TYPE_INT)) {
        p->value = LuaConvert::toInt(value);
    } else if (LuaUintParameter* p =
                   holding<unsigned int>(parameter, BaseLuaParameter::TYPE_UINT)) {
        p->value = LuaConvert::toUnsigned(value);
    }
}

void ScriptSystem::setPointer(BaseLuaParameter& parameter, void* value) {
    if (LuaPointerParameter* p = holding<void*>(parameter, BaseLuaParameter::TYPE_LIGHT_USERDATA,
                                                BaseLuaParameter::TYPE_TABLE)) {
        p->value = value;
    }
}

void ScriptSystem::setString(BaseLuaParameter& parameter, const ZqString& value) {
    if (LuaStringParameter* p = holding<ZqString>(parameter, BaseLuaParameter::TYPE_STRING)) {
        p->value = value;
    }
}

bool ScriptSystem::getNil(const BaseLuaParameter& parameter) {
    const LuaBoolParameter* p = holding<bool>(parameter, BaseLuaParameter::TYPE_NIL);
    return p != nullptr && p->value;
}

bool ScriptSystem::getBool(const BaseLuaParameter& parameter) {
    const LuaBoolParameter* p = holding<bool>(parameter, BaseLuaParameter::TYPE_BOOL);
    return p != nullptr && p->value;
}

double ScriptSystem::getNumber(const BaseLuaParameter& parameter) {
    if (const LuaFloatParameter* p = holding<float>(parameter, BaseLuaParameter::TYPE_FLOAT)) {
        return p->value;
    }
    if (const LuaIntParameter* p = holding<int>(parameter, BaseLuaParameter::TYPE_INT)) {
        return p->value;
    }
    if (const LuaUintParameter* p = holding<unsigned int>(parameter, BaseLuaParameter::TYPE_UINT)) {
        return p->value;
    }
    return 0.0;
}

void* ScriptSystem::getPointer(const BaseLuaParameter& parameter) {
    const LuaPointerParameter* p = holding<void*>(parameter, BaseLuaParameter::TYPE_LIGHT_USERDATA,
                                                  BaseLuaParameter::TYPE_TABLE);
    return p != nullptr ? p->value : nullptr;
}

uint32_t ScriptSystem::getPointerSize(const BaseLuaParameter& parameter) {
    const LuaPointerParameter* p =
        holding<void*>(parameter, BaseLuaParameter::TYPE_OBJECT, BaseLuaParameter::TYPE_TABLE);
    return p != nullptr ? p->size : 0;
}

ZqString ScriptSystem::getString(const BaseLuaParameter& parameter) {
    const LuaStringParameter* p = holding<ZqString>(parameter, BaseLuaParameter::TYPE_STRING);
    return p != nullptr ? p->value : ZqString();
}

void ScriptSystem::pushScriptable(lua_State* state, Scriptable* object) {
    if (object != nullptr) {
        object->pushToLua(state);
    } else {
        lua_pushnil(state);
    }
}

}  // namespace orvo
