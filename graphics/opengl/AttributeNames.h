#pragma once

#include "core/hash/HashString.h"

namespace orvo {

// Vertex attribute names the renderer gives pointers to.
inline constexpr HashString a_position("a_position");
inline constexpr HashString a_color("a_color");
inline constexpr HashString a_normal("a_normal");
inline constexpr HashString a_texCoord0("a_texCoord0");
inline constexpr HashString a_texCoord1("a_texCoord1");

}  // namespace orvo
