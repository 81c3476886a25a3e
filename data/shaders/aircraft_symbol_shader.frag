#version 100
precision mediump float;
// The player's markings take the craft's symbol colour (red, or yellow under the shield).
uniform vec3 u_airCraftSymbolColor;
#define TINT u_airCraftSymbolColor
#include "glow_fragment.glsl"
