#pragma once

#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "core/hash/HashString.h"

namespace orvo {

class BaseShaderParameterUpdater;

// One active uniform or attribute of a linked program.
class ShaderParameter {
public:
    // How a value reaches the program; the numbers are stored per parameter.
    enum InternalType : uint32_t {
        FLOAT = 0,
        INT = 1,
        BOOL = 2,
        FLOAT_VEC2 = 3,
        FLOAT_VEC3 = 4,
        FLOAT_VEC4 = 5,
        FLOAT_MAT2 = 6,
        FLOAT_MAT3 = 7,
        FLOAT_MAT4 = 8,
        BOOL_VEC2 = 9,
        BOOL_VEC3 = 10,
        BOOL_VEC4 = 11,
        INT_VEC2 = 12,
        INT_VEC3 = 13,
        INT_VEC4 = 14,
        OTHER = 15,
    };

    ShaderParameter() : name(), type(FLOAT), location(0), glType(0) {}
    ShaderParameter(HashString parameterName, uint32_t glParameterType, uint32_t parameterLocation)
        : name(parameterName), type(FLOAT), location(parameterLocation), glType(0) {
        setType(glParameterType);
    }

    void setType(uint32_t glParameterType);

    void setFloatParameter(float value) const;
    void setIntParameter(int value) const;
    void setBoolParameter(bool value) const;
    void setFloatVector2Parameter(const float* value) const;
    void setFloatVector3Parameter(const float* value) const;
    void setFloatVector4Parameter(const float* value) const;
    void setFloatMatrix2Parameter(const float* value) const;
    void setFloatMatrix3Parameter(const float* value) const;
    void setFloatMatrix4Parameter(const float* value) const;

    // Uploads the updater's stored value with the upload of this parameter's type. Types without
    // an upload, and values too small for the type, upload nothing.
    void updateParameter(const boost::shared_ptr<BaseShaderParameterUpdater>& updater) const;

    HashString name;
    uint32_t type;
    uint32_t location;
    uint32_t glType;
};

// The name of the parameter that failed lookups return.
extern const HashString DUMMY_PARAMETER;

}  // namespace orvo
