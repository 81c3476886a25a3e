#include "graphics/shader/ShaderProgram.h"

namespace orvo {

namespace {

ShaderParameter findParameter(const Array<ShaderParameter>& parameters, HashString name) {
    for (const ShaderParameter& parameter : parameters) {
        if (parameter.name == name) {
            return parameter;
        }
    }
    ShaderParameter dummy;
    dummy.name = DUMMY_PARAMETER;
    return dummy;
}

}  // namespace

ShaderParameter ShaderProgram::getUniform(HashString uniformName) const {
    return findParameter(data.uniforms, uniformName);
}

ShaderParameter ShaderProgram::getParameter(HashString parameterName) const {
    return findParameter(cachedParameters, parameterName);
}

void ShaderProgram::cacheAllParameters() {
    for (const ShaderParameter& uniform : data.uniforms) {
        if (uniform.type != ShaderParameter::OTHER) {
            cachedParameters.pushBack(uniform);
        }
    }
}

}  // namespace orvo
