// The track's bend. The tiles are laid in a straight line; the world is bent only here, by
// every shader that draws the world, so that craft, walls and track bend together (the sky
// is not bent). The bend is relative to the viewer and grows with the square of the view
// depth d, the clip-space w of the point:
//   b = d * d * u_curvatureFactor * 0.0000005
//   the point moves by b down (world -Y) and by b * u_curvatureZFactor / 300 towards world
//   -Z, the right-hand side of a craft flying towards -X.
// Close to the viewer b is about 0, so the track under the craft stays where it is. The
// game's factor of 1400 drops the track by 7 at a depth of 100, which puts the crest of the
// track about 60 ahead of the camera; a Z factor of -900 to 900 swings it sideways by up to
// three times the drop, into the side the camera banks towards. A factor of 0 leaves the
// world flat.
// The offset is a world direction: the inverse world matrix takes it into the model's space
// (GLSL reads the engine's row-major inverse transpose as the plain inverse).
uniform mat4 u_modelViewProj;
uniform mat4 u_worldInverseTranspose;
uniform float u_curvatureFactor;
uniform float u_curvatureZFactor;

vec4 bendWorld(vec4 position) {
    vec4 clip = u_modelViewProj * position;
    float b = clip.w * clip.w * u_curvatureFactor * 0.0000005;
    vec4 offset = vec4(0.0, -b, -b * u_curvatureZFactor * (1.0 / 300.0), 0.0);
    return clip + u_modelViewProj * (u_worldInverseTranspose * offset);
}
