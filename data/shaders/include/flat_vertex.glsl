// An unlit, textured surface of the world (glows, trails, symbols, the banner).
attribute vec3 a_position;
attribute vec2 a_texCoord0;
varying vec2 v_uv;

void main() {
    v_uv = a_texCoord0;
    gl_Position = bendWorld(vec4(a_position, 1.0));
}
