#version 100
#include "screen_vertex.glsl"
