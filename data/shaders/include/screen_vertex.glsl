// A textured surface that is not part of the bent world (the sky around the camera).
attribute vec3 a_position;
attribute vec2 a_texCoord0;
uniform mat4 u_modelViewProj;
varying vec2 v_uv;

void main() {
    v_uv = a_texCoord0;
    gl_Position = u_modelViewProj * vec4(a_position, 1.0);
}
