#version 100
precision mediump float;
// The player's hull takes the craft's body colour, which turns dark while the shield is on.
uniform vec3 u_airCraftBodyColor;
#define TINT u_airCraftBodyColor
#include "glint_fragment.glsl"
