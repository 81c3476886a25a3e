// A craft's hull: the texture times TINT (a vec3 the including source defines), lit, with
// the glint of light 1 on top.
uniform sampler2D s_texture0;
uniform float u_emissiveLevel;
varying vec2 v_uv;
varying vec3 v_light;
varying float v_glint;

void main() {
    vec4 texel = texture2D(s_texture0, v_uv);
    gl_FragColor = vec4(texel.rgb * TINT * (v_light + u_emissiveLevel) + v_glint, texel.a);
}
