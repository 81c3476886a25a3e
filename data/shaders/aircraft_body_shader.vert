#version 100
#include "curvature.glsl"
#include "lighting.glsl"
#include "glint_vertex.glsl"
