#version 100
#include "curvature.glsl"
#include "flat_vertex.glsl"
