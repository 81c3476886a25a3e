#pragma once

#include "core/maths/ZqMatrix.h"
#include "core/maths/ZqVector.h"
#include "graphics/shader/BaseShaderParameterUpdater.h"
#include "graphics/shader/ShaderParameter.h"

namespace orvo {

// The parameter type each value type uploads as.
template <class T>
struct ShaderValueType;
template <>
struct ShaderValueType<float> {
    static constexpr uint32_t value = ShaderParameter::FLOAT;
};
template <>
struct ShaderValueType<ZqVector<3>> {
    static constexpr uint32_t value = ShaderParameter::FLOAT_VEC3;
};
template <>
struct ShaderValueType<ZqVector<4>> {
    static constexpr uint32_t value = ShaderParameter::FLOAT_VEC4;
};
template <>
struct ShaderValueType<ZqMatrix<4, 4>> {
    static constexpr uint32_t value = ShaderParameter::FLOAT_MAT4;
};

// An updater holding a value of type T, which must match the GLSL type of its uniform.
template <class T>
class ShaderParameterUpdater : public BaseShaderParameterUpdater {
    static_assert(sizeof(T) % sizeof(float) == 0, "values are uploaded as packed floats");

public:
    ShaderParameterUpdater(HashString name, uint32_t cacheKind)
        : BaseShaderParameterUpdater(name, ShaderValueType<T>::value, cacheKind,
                                     reinterpret_cast<const float*>(&value_),
                                     sizeof(T) / sizeof(float)),
          value_() {}

protected:
    T value_;
};

}  // namespace orvo
