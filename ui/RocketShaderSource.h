#pragma once

#include "core/hash/HashString.h"

namespace orvo {

// The UI's shader program and the material of untextured UI geometry.
extern const HashString ROCKET_SHADER;
extern const HashString DEFAULT_MATERIAL;

// New NUL-terminated copies of the UI program's sources; the caller frees them with delete[].
char* generateVertexShader();
char* generateFragmentShader();

}  // namespace orvo
