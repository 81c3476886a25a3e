#include "ui/script/LuaParameters.h"

namespace orvo {

bool LuaParameters::add(BaseLuaParameter* parameter) {
    return pushBack(boost::shared_ptr<BaseLuaParameter>(parameter));
}

bool LuaParameters::addNil(bool) {
    return add(new LuaBoolParameter(BaseLuaParameter::TYPE_NIL, false, 1));
}

bool LuaParameters::addBool(bool value) {
    return add(new LuaBoolParameter(BaseLuaParameter::TYPE_BOOL, value, 1));
}

bool LuaParameters::addInt(int value) {
    return add(new LuaIntParameter(BaseLuaParameter::TYPE_INT, value, 4));
}

bool LuaParameters::addUint(unsigned int value) {
    return add(new LuaUintParameter(BaseLuaParameter::TYPE_UINT, value, 4));
}

bool LuaParameters::addFloat(float value) {
    return add(new LuaFloatParameter(BaseLuaParameter::TYPE_FLOAT, value, 4));
}

bool LuaParameters::addString(const ZqString& value) {
    return add(new LuaStringParameter(BaseLuaParameter::TYPE_STRING, value, 4));
}

boost::shared_ptr<BaseLuaParameter> LuaParameters::get(std::size_t index) const {
    return empty() ? boost::shared_ptr<BaseLuaParameter>() : at(index);
}

BaseLuaParameter::ParameterType LuaParameters::getType(std::size_t index) const {
    const boost::shared_ptr<BaseLuaParameter> parameter = get(index);
    return parameter ? parameter->type : BaseLuaParameter::TYPE_NIL;
}

const char* LuaParameters::getTypeString(std::size_t index) const {
    return BaseLuaParameter::getTypeString(getType(index));
}

void LuaParameters::setAsNil(std::size_t index) {
    if (index < size()) {
        (*this)[index].reset(new LuaBoolParameter(BaseLuaParameter::TYPE_NIL, false, 1));
    }
}

}  // namespace orvo
