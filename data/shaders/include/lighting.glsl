// Light in world space from the ambient light and the three diffuse lights; a light's
// direction is the way its light travels. Comes after curvature.glsl, which declares the
// world matrices. Matrices arrive as the engine stores them, row-major and uploaded
// untransposed, so GLSL reads each as its transpose: u_worldInverseTranspose reads as the
// world matrix's inverse, and a normal multiplied from the left (as a row) by it comes out as
// (inverse transpose) * normal.
uniform vec3 u_ambientLightColor;
uniform vec4 u_diffuseLight1Color;
uniform vec4 u_diffuseLight1Direction;
uniform vec4 u_diffuseLight2Color;
uniform vec4 u_diffuseLight2Direction;
uniform vec4 u_diffuseLight3Color;
uniform vec4 u_diffuseLight3Direction;

vec3 worldNormal(vec3 normal) {
    vec3 n = (vec4(normal, 0.0) * u_worldInverseTranspose).xyz;
    // A singular world matrix has a zero inverse: such a surface gets the ambient light only.
    return n / max(length(n), 0.000001);
}

vec3 diffuseLight(vec3 n) {
    return u_ambientLightColor
        + u_diffuseLight1Color.rgb * max(dot(n, -u_diffuseLight1Direction.xyz), 0.0)
        + u_diffuseLight2Color.rgb * max(dot(n, -u_diffuseLight2Direction.xyz), 0.0)
        + u_diffuseLight3Color.rgb * max(dot(n, -u_diffuseLight3Direction.xyz), 0.0);
}
