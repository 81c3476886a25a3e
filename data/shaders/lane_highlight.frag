#version 100
precision mediump float;
// A highlighted lane: each piece in its own colour, brightened, over the grey pixel.
uniform sampler2D s_texture0;
uniform vec3 u_materialDiffuseColor;
varying vec2 v_uv;
varying vec3 v_light;

void main() {
    vec3 grey = texture2D(s_texture0, v_uv).rgb;
    gl_FragColor = vec4(u_materialDiffuseColor * grey * (1.4 + v_light), 1.0);
}
