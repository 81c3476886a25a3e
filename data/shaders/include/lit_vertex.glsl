// A lit, textured surface of the world.
attribute vec3 a_position;
attribute vec3 a_normal;
attribute vec2 a_texCoord0;
varying vec2 v_uv;
varying vec3 v_light;

void main() {
    v_uv = a_texCoord0;
    v_light = diffuseLight(worldNormal(a_normal));
    gl_Position = bendWorld(vec4(a_position, 1.0));
}
