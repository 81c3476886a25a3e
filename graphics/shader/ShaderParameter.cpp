#include "graphics/shader/ShaderParameter.h"

#include <GLES2/gl2.h>

#include "graphics/shader/BaseShaderParameterUpdater.h"

namespace orvo {

const HashString DUMMY_PARAMETER("DUMMY_PARAMETER");

void ShaderParameter::setType(uint32_t glParameterType) {
    glType = glParameterType;
    switch (glParameterType) {
        case GL_FLOAT:
            type = FLOAT;
            break;
        case GL_INT:
            type = INT;
            break;
        case GL_BOOL:
            type = BOOL;
            break;
        case GL_FLOAT_VEC2:
            type = FLOAT_VEC2;
            break;
        case GL_FLOAT_VEC3:
            type = FLOAT_VEC3;
            break;
        case GL_FLOAT_VEC4:
            type = FLOAT_VEC4;
            break;
        case GL_FLOAT_MAT2:
            type = FLOAT_MAT2;
            break;
        case GL_FLOAT_MAT3:
            type = FLOAT_MAT3;
            break;
        case GL_FLOAT_MAT4:
            type = FLOAT_MAT4;
            break;
        case GL_BOOL_VEC2:
            type = BOOL_VEC2;
            break;
        case GL_BOOL_VEC3:
            type = BOOL_VEC3;
            break;
        case GL_BOOL_VEC4:
            type = BOOL_VEC4;
            break;
        case GL_INT_VEC2:
            type = INT_VEC2;
            break;
        case GL_INT_VEC3:
            type = INT_VEC3;
            break;
        case GL_INT_VEC4:
            type = INT_VEC4;
            break;
        default:
            type = OTHER;
            break;
    }
}

void ShaderParameter::setFloatParameter(float value) const {
    glUniform1f(static_cast<GLint>(location), value);
}

void ShaderParameter::setIntParameter(int value) const {
    glUniform1i(static_cast<GLint>(location), value);
}

void ShaderParameter::setBoolParameter(bool value) const {
    glUniform1i(static_cast<GLint>(location), value ? 1 : 0);
}

void ShaderParameter::setFloatVector2Parameter(const float* value) const {
    glUniform2f(static_cast<GLint>(location), value[0], value[1]);
}

void ShaderParameter::setFloatVector3Parameter(const float* value) const {
    glUniform3f(static_cast<GLint>(location), value[0], value[1], value[2]);
}

void ShaderParameter::setFloatVector4Parameter(const float* value) const {
    glUniform4f(static_cast<GLint>(location), value[0], value[1], value[2], value[3]);
}

void ShaderParameter::setFloatMatrix2Parameter(const float* value) const {
    glUniformMatrix2fv(static_cast<GLint>(location), 1, GL_FALSE, value);
}

void ShaderParameter::setFloatMatrix3Parameter(const float* value) const {
    glUniformMatrix3fv(static_cast<GLint>(location), 1, GL_FALSE, value);
}

void ShaderParameter::setFloatMatrix4Parameter(const float* value) const {
    glUniformMatrix4fv(static_cast<GLint>(location), 1, GL_FALSE, value);
}

namespace {

// Floats each uploadable type reads from a value.
unsigned floatsNeeded(uint32_t type) {
    static const unsigned counts[] = {1, 1, 1, 2, 3, 4, 4, 9, 16};
    return type < sizeof(counts) / sizeof(counts[0]) ? counts[type] : 0;
}

}  // namespace

void ShaderParameter::updateParameter(
    const boost::shared_ptr<BaseShaderParameterUpdater>& updater) const {
    const unsigned needed = floatsNeeded(type);
    // An updater whose value is smaller than the uniform would be read past its end.
    if (!updater || needed == 0 || updater->getValueFloatCount() < needed) {
        return;
    }
    const float* value = updater->getValueData();
    switch (type) {
        case FLOAT:
            setFloatParameter(value[0]);
            break;
        case INT:
            setIntParameter(static_cast<int>(value[0]));
            break;
        case BOOL:
            setBoolParameter(value[0] != 0.0f);
            break;
        case FLOAT_VEC2:
            setFloatVector2Parameter(value);
            break;
        case FLOAT_VEC3:
            setFloatVector3Parameter(value);
            break;
        case FLOAT_VEC4:
            setFloatVector4Parameter(value);
            break;
        case FLOAT_MAT2:
            setFloatMatrix2Parameter(value);
            break;
        case FLOAT_MAT3:
            setFloatMatrix3Parameter(value);
            break;
        case FLOAT_MAT4:
            setFloatMatrix4Parameter(value);
            break;
        default:
            break;
    }
}

}  // namespace orvo
