// An unlit glow: the texture times TINT (a vec3 the including source defines), brightened
// by the material's glow; the texture's alpha is kept for blended draws.
uniform sampler2D s_texture0;
uniform float u_emissiveLevel;
varying vec2 v_uv;

void main() {
    vec4 texel = texture2D(s_texture0, v_uv);
    gl_FragColor = vec4(texel.rgb * TINT * (1.0 + u_emissiveLevel), texel.a);
}
