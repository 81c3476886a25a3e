#version 100
#include "curvature.glsl"
#include "lighting.glsl"
#include "lit_vertex.glsl"
