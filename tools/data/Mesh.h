#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace trellin {

struct Vec3 {
    float x, y, z;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return Vec3{a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return Vec3{a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, float s) { return Vec3{a.x * s, a.y * s, a.z * s}; }
inline float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) {
    return Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float length(Vec3 a);
// The unit vector along a, or zero for a (near) zero vector.
Vec3 normalised(Vec3 a);

// One vertex as every mesh of the game stores it: position, normal, texture coordinates 0.
struct MeshVertex {
    Vec3 position;
    Vec3 normal;
    float u, v;
};

// An indexed triangle list whose triangles are counter-clockwise seen from their front, the
// side their vertex normals point to.
struct Mesh {
    std::vector<MeshVertex> vertices;
    std::vector<uint16_t> indices;

    // Adds a vertex; false when the 16-bit indices would overflow.
    bool addVertex(const MeshVertex& vertex);
    // Adds a triangle, wound so that it faces along front.
    void addTriangle(uint32_t a, uint32_t b, uint32_t c, Vec3 front);
    // Appends another mesh; false when the 16-bit indices would overflow.
    bool append(const Mesh& other);
    void translate(Vec3 offset);
    // Mirrors across the plane through the origin normal to axis (0 x, 1 y, 2 z); the winding
    // is turned round so that the triangles keep facing outwards.
    void mirror(int axis);
    // The mean of the vertex positions (zero for an empty mesh).
    Vec3 centroid() const;
};

// Shapes the data descriptions name. Each returns false with a reason in error when its
// arguments cannot make a mesh.

// The convex hull of the points, flat-shaded, with texture coordinates projected on the axis
// plane each face is closest to, times uvScale.
bool hullMesh(const std::vector<Vec3>& points, float uvScale, Mesh& mesh, std::string& error);

// A profile in the Y/Z plane, given as (z, y) pairs, swept along X over length (centred on
// the origin) in segments slices, so that a bend applied per vertex stays smooth. Each
// profile edge faces to the left of its direction seen from +X (an edge walked towards -Z
// faces up). u runs along X (uRepeat times over the sweep), v along the profile.
bool extrudeMesh(const std::vector<float>& profile, float sweep, int segments, float uRepeat,
                 Mesh& mesh, std::string& error);

// A quadrilateral from four corners in order, texture coordinates (0,0) (1,0) (1,1) (0,1);
// facing the side its corners turn counter-clockwise about, and the other side too when
// twoSided.
bool quadMesh(const Vec3 corners[4], bool twoSided, Mesh& mesh, std::string& error);

// A flat ring in the Y/Z plane about centre, seen from both sides; u runs outwards, v round.
bool ringMesh(Vec3 centre, float inner, float outer, int segments, Mesh& mesh, std::string& error);

// One face of the sky cube of half-size size, seen from inside; its texture coordinates put
// texel centres on the face edges, matching the sky textures of texels x texels.
bool skyFaceMesh(int face, float size, int texels, Mesh& mesh, std::string& error);

}  // namespace trellin
