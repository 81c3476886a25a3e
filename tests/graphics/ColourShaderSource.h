#pragma once

// A program of position and colour (bytes) whose vec4 uniform u_tint multiplies the colour;
// shared by the renderer tests and the renderer benchmark.
inline constexpr const char* COLOUR_VERTEX_SOURCE = R"(#version 100
attribute vec3 a_position;
attribute vec4 a_color;
varying vec4 v_color;
void main() {
    v_color = a_color / 255.0;
    gl_Position = vec4(a_position, 1.0);
}
)";

inline constexpr const char* COLOUR_FRAGMENT_SOURCE = R"(#version 100
precision mediump float;
uniform vec4 u_tint;
varying vec4 v_color;
void main() {
    gl_FragColor = v_color * u_tint;
}
)";
