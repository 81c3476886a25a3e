#pragma once

#include <string>

#include "tools/data/Mesh.h"

namespace trellin {

// The six faces of the sky cube: +X, -X, +Y, -Y, +Z, -Z. The sky meshes and the sky textures
// share this mapping, so that every texel shows the direction it is drawn in and the edge
// texels of two neighbouring faces show the same direction (no seams).
constexpr int SKY_FACES = 6;

// The face of a name "+x" ... "-z", or -1.
int skyFaceIndex(const std::string& name);

// The point of face at (s, t) in [0, 1]^2 on the cube of half-size 1.
Vec3 skyFacePoint(int face, float s, float t);

// Where texel i of n lies on its face: texel centres run from one edge (0) to the other (1).
inline float skyTexelPosition(int i, int n) { return n > 1 ? float(i) / float(n - 1) : 0.5f; }

// The texture coordinate of a face edge: the centre of the first texel.
inline float skyEdgeCoordinate(int n) { return 0.5f / float(n); }

}  // namespace trellin
