// A lit, textured craft surface with the glint of light 1. The scene camera looks along -X
// from behind and above the craft, so the glint is taken towards that side.
attribute vec3 a_position;
attribute vec3 a_normal;
attribute vec2 a_texCoord0;
uniform float u_materialSpecularFactor;
uniform float u_materialSpecularPower;
varying vec2 v_uv;
varying vec3 v_light;
varying float v_glint;

void main() {
    vec3 n = worldNormal(a_normal);
    vec3 reflected = reflect(u_diffuseLight1Direction.xyz, n);
    float towardsViewer = max(dot(reflected, normalize(vec3(1.0, 0.6, 0.0))), 0.0);
    v_glint = u_materialSpecularFactor * pow(towardsViewer, max(u_materialSpecularPower, 1.0));
    v_uv = a_texCoord0;
    v_light = diffuseLight(n);
    gl_Position = bendWorld(vec4(a_position, 1.0));
}
