#include "ui/RocketShaderSource.h"

#include <cstring>

namespace orvo {

const HashString ROCKET_SHADER("ROCKET_SHADER");
const HashString DEFAULT_MATERIAL("DefaultMaterial");

namespace {

// Precision qualifiers are optional where the GLSL dialect has none.
#define ROCKET_PRECISION_BLOCK  \
    "#ifdef NO_PRECISION\n"     \
    "#define HIGHP\n"           \
    "#define MEDIUMP\n"         \
    "#define LOWP\n"            \
    "#else\n"                   \
    "#define HIGHP highp\n"     \
    "#define MEDIUMP mediump\n" \
    "#define LOWP lowp\n"       \
    "#endif\n"

const char VERTEX_SOURCE[] = ROCKET_PRECISION_BLOCK
    "uniform HIGHP mat4 u_rocketMatrix;\n"
    "attribute HIGHP vec4 a_position;\n"
    "attribute MEDIUMP vec2 a_texCoord0;\n"
    "attribute MEDIUMP vec4 a_color;\n"
    "varying MEDIUMP vec2 v_texCoord0;\n"
    "varying MEDIUMP vec4 v_vertexColor;\n"
    "void main() {\n"
    "    v_texCoord0 = a_texCoord0;\n"
    "    v_vertexColor = a_color;\n"
    "    gl_Position = u_rocketMatrix * a_position;\n"
    "}\n";

// The colour arrives as bytes 0 to 255, not normalised.
const char FRAGMENT_SOURCE[] = ROCKET_PRECISION_BLOCK
    "#ifndef NO_PRECISION\n"
    "precision mediump float;\n"
    "#endif\n"
    "uniform sampler2D s_texture0;\n"
    "varying MEDIUMP vec2 v_texCoord0;\n"
    "varying MEDIUMP vec4 v_vertexColor;\n"
    "void main() {\n"
    "    gl_FragColor = texture2D(s_texture0, v_texCoord0) * (v_vertexColor / 255.0);\n"
    "}\n";

#undef ROCKET_PRECISION_BLOCK

char* copyOf(const char* source, std::size_t size) {
    char* copy = new char[size];
    std::memcpy(copy, source, size);
    return copy;
}

}  // namespace

char* generateVertexShader() { return copyOf(VERTEX_SOURCE, sizeof(VERTEX_SOURCE)); }

char* generateFragmentShader() { return copyOf(FRAGMENT_SOURCE, sizeof(FRAGMENT_SOURCE)); }

}  // namespace orvo
