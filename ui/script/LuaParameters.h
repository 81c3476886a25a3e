#pragma once

#include <cstddef>

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "ui/script/LuaParameter.h"

namespace orvo {

// The typed argument list (or expected results) of a Lua call, in argument order.
class LuaParameters : public Array<boost::shared_ptr<BaseLuaParameter>> {
public:
    // Each appends a new parameter of its type; false when the list could not grow. A nil
    // parameter holds false whatever it is given.
    bool addNil(bool value = false);
    bool addBool(bool value);
    bool addInt(int value);
    bool addUint(unsigned int value);
    bool addFloat(float value);
    bool addString(const ZqString& value);

    // An index at or past the end means the last parameter; an empty list gives null, nil and
    // "INVALID TYPE".
    boost::shared_ptr<BaseLuaParameter> get(std::size_t index) const;
    BaseLuaParameter::ParameterType getType(std::size_t index) const;
    const char* getTypeString(std::size_t index) const;
    // Replaces parameter index, when there is one, by a new nil parameter.
    void setAsNil(std::size_t index);

private:
    bool add(BaseLuaParameter* parameter);
};

}  // namespace orvo
