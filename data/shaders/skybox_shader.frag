#version 100
precision mediump float;
uniform sampler2D s_texture0;
varying vec2 v_uv;

void main() {
    gl_FragColor = vec4(texture2D(s_texture0, v_uv).rgb, 1.0);
}
