// A lit surface: the texture times TINT (a vec3 the including source defines), lit, plus the
// material's own glow; the texture's alpha is kept for blended draws.
uniform sampler2D s_texture0;
uniform float u_emissiveLevel;
varying vec2 v_uv;
varying vec3 v_light;

void main() {
    vec4 texel = texture2D(s_texture0, v_uv);
    gl_FragColor = vec4(texel.rgb * TINT * (v_light + u_emissiveLevel), texel.a);
}
