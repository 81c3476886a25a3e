#version 100
precision mediump float;
uniform vec3 u_materialDiffuseColor;
#define TINT u_materialDiffuseColor
#include "glow_fragment.glsl"
