#pragma once

#include <cstdint>

#include "core/containers/Array.h"
#include "core/hash/HashString.h"
#include "graphics/shader/ShaderParameter.h"

namespace orvo {

// The active attributes and uniforms of a linked program, in the order GL reports them.
struct ShaderProgramData {
    Array<ShaderParameter> attributes;
    Array<ShaderParameter> uniforms;
};

// One linked program and what it reads.
class ShaderProgram {
public:
    ShaderProgram(HashString programName, uint32_t vertex, uint32_t fragment, uint32_t program,
                  const ShaderProgramData& programData)
        : name(programName),
          vertexShader(vertex),
          fragmentShader(fragment),
          programName(program),
          data(programData) {}

    // The first uniform of that name, else the DUMMY_PARAMETER parameter.
    ShaderParameter getUniform(HashString uniformName) const;
    // The same search over the cached parameter list.
    ShaderParameter getParameter(HashString parameterName) const;
    // Appends every uniform that has an upload to the cached parameter list.
    void cacheAllParameters();

    HashString name;
    uint32_t vertexShader;
    uint32_t fragmentShader;
    uint32_t programName;
    ShaderProgramData data;
    Array<ShaderParameter> cachedParameters;
};

}  // namespace orvo
