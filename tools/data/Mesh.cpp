#include "tools/data/Mesh.h"

#include <algorithm>
#include <cmath>

#include "tools/data/SkyFaces.h"

namespace trellin {

namespace {

constexpr uint32_t MAX_VERTICES = 65536;
constexpr float PI = 3.14159265358979f;

// Texture coordinates of a point projected on the axis plane a normal is closest to.
void boxMap(Vec3 p, Vec3 n, float scale, float& u, float& v) {
    const float ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
    if (ax >= ay && ax >= az) {
        u = p.z * scale;
        v = p.y * scale;
    } else if (ay >= az) {
        u = p.x * scale;
        v = p.z * scale;
    } else {
        u = p.x * scale;
        v = p.y * scale;
    }
}

// One face of a hull: the points on its plane, ordered counter-clockwise about its normal,
// as a triangle fan.
void addHullFace(const std::vector<Vec3>& onPlane, Vec3 normal, float uvScale, Mesh& mesh) {
    Vec3 centre{0, 0, 0};
    for (const Vec3& p : onPlane) {
        centre = centre + p;
    }
    centre = centre * (1.0f / float(onPlane.size()));
    const Vec3 u = normalised(onPlane[0] - centre);
    const Vec3 v = cross(normal, u);
    std::vector<std::pair<float, Vec3>> ordered;
    for (const Vec3& p : onPlane) {
        const Vec3 d = p - centre;
        ordered.push_back({std::atan2(dot(d, v), dot(d, u)), p});
    }
    std::sort(ordered.begin(), ordered.end(),
              [](const std::pair<float, Vec3>& a, const std::pair<float, Vec3>& b) {
                  return a.first < b.first;
              });
    const uint32_t first = static_cast<uint32_t>(mesh.vertices.size());
    for (const auto& entry : ordered) {
        MeshVertex vertex{entry.second, normal, 0, 0};
        boxMap(entry.second, normal, uvScale, vertex.u, vertex.v);
        mesh.addVertex(vertex);
    }
    for (uint32_t i = 1; i + 1 < ordered.size(); ++i) {
        mesh.addTriangle(first, first + i, first + i + 1, normal);
    }
}

}  // namespace

float length(Vec3 a) { return std::sqrt(dot(a, a)); }

Vec3 normalised(Vec3 a) {
    const float l = length(a);
    return l > 1e-12f ? a * (1.0f / l) : Vec3{0, 0, 0};
}

bool Mesh::addVertex(const MeshVertex& vertex) {
    if (vertices.size() >= MAX_VERTICES) {
        return false;
    }
    vertices.push_back(vertex);
    return true;
}

void Mesh::addTriangle(uint32_t a, uint32_t b, uint32_t c, Vec3 front) {
    const Vec3 pa = vertices[a].position, pb = vertices[b].position, pc = vertices[c].position;
    if (dot(cross(pb - pa, pc - pa), front) < 0.0f) {
        std::swap(b, c);
    }
    indices.push_back(static_cast<uint16_t>(a));
    indices.push_back(static_cast<uint16_t>(b));
    indices.push_back(static_cast<uint16_t>(c));
}

bool Mesh::append(const Mesh& other) {
    if (vertices.size() + other.vertices.size() > MAX_VERTICES) {
        return false;
    }
    const uint16_t base = static_cast<uint16_t>(vertices.size());
    vertices.insert(vertices.end(), other.vertices.begin(), other.vertices.end());
    for (uint16_t index : other.indices) {
        indices.push_back(static_cast<uint16_t>(base + index));
    }
    return true;
}

void Mesh::translate(Vec3 offset) {
    for (MeshVertex& v : vertices) {
        v.position = v.position + offset;
    }
}

void Mesh::mirror(int axis) {
    for (MeshVertex& v : vertices) {
        float* p = axis == 0 ? &v.position.x : axis == 1 ? &v.position.y : &v.position.z;
        float* n = axis == 0 ? &v.normal.x : axis == 1 ? &v.normal.y : &v.normal.z;
        *p = -*p;
        *n = -*n;
    }
    for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
        std::swap(indices[i + 1], indices[i + 2]);
    }
}

Vec3 Mesh::centroid() const {
    Vec3 sum{0, 0, 0};
    for (const MeshVertex& v : vertices) {
        sum = sum + v.position;
    }
    return vertices.empty() ? sum : sum * (1.0f / float(vertices.size()));
}

bool hullMesh(const std::vector<Vec3>& input, float uvScale, Mesh& mesh, std::string& error) {
    std::vector<Vec3> points;
    float extent = 0.0f;
    for (const Vec3& p : input) {
        bool known = false;
        for (const Vec3& q : points) {
            known = known || length(p - q) < 1e-6f;
        }
        if (!known) {
            points.push_back(p);
        }
        extent =
            std::max(extent, std::max(std::fabs(p.x), std::max(std::fabs(p.y), std::fabs(p.z))));
    }
    // Beyond this the brute-force search takes too long; hulls are small hand-made shapes.
    if (points.size() < 4 || points.size() > 64) {
        error = "a hull takes 4 to 64 distinct points";
        return false;
    }
    const float eps = 1e-5f * std::max(extent, 1.0f);
    std::vector<std::pair<Vec3, float>> planes;
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            for (std::size_t k = j + 1; k < n; ++k) {
                Vec3 normal = normalised(cross(points[j] - points[i], points[k] - points[i]));
                if (length(normal) == 0.0f) {
                    continue;
                }
                float d = dot(normal, points[i]);
                bool above = false, below = false;
                for (const Vec3& p : points) {
                    const float s = dot(normal, p) - d;
                    above = above || s > eps;
                    below = below || s < -eps;
                }
                if (above && below) {
                    continue;
                }
                if (above) {
                    normal = normal * -1.0f;
                    d = -d;
                }
                bool known = false;
                for (const auto& plane : planes) {
                    known = known || (dot(plane.first, normal) > 1.0f - 1e-5f &&
                                      std::fabs(plane.second - d) <= eps);
                }
                if (known) {
                    continue;
                }
                planes.push_back({normal, d});
                std::vector<Vec3> onPlane;
                for (const Vec3& p : points) {
                    if (std::fabs(dot(normal, p) - d) <= eps) {
                        onPlane.push_back(p);
                    }
                }
                addHullFace(onPlane, normal, uvScale, mesh);
            }
        }
    }
    if (planes.size() < 4) {
        error = "the hull's points lie in one plane";
        return false;
    }
    return true;
}

bool extrudeMesh(const std::vector<float>& profile, float sweep, int segments, float uRepeat,
                 Mesh& mesh, std::string& error) {
    if (profile.size() < 4 || profile.size() % 2 != 0) {
        error = "a profile takes two or more (z, y) points";
        return false;
    }
    if (!(sweep > 0.0f) || segments < 1 || segments > 256) {
        error = "an extrusion takes a positive length and 1 to 256 segments";
        return false;
    }
    const std::size_t points = profile.size() / 2;
    float total = 0.0f;
    std::vector<float> along(points, 0.0f);
    for (std::size_t i = 1; i < points; ++i) {
        const float dz = profile[2 * i] - profile[2 * i - 2];
        const float dy = profile[2 * i + 1] - profile[2 * i - 1];
        total += std::sqrt(dz * dz + dy * dy);
        along[i] = total;
    }
    if (!(total > 0.0f)) {
        error = "the profile has no length";
        return false;
    }
    if ((points - 1) * 2 * std::size_t(segments + 1) > MAX_VERTICES) {
        error = "the extrusion has too many vertices";
        return false;
    }
    for (std::size_t e = 0; e + 1 < points; ++e) {
        const Vec3 a{0, profile[2 * e + 1], profile[2 * e]};
        const Vec3 b{0, profile[2 * e + 3], profile[2 * e + 2]};
        const Vec3 normal = normalised(cross(Vec3{1, 0, 0}, b - a));
        if (length(b - a) == 0.0f) {
            continue;
        }
        const uint32_t first = static_cast<uint32_t>(mesh.vertices.size());
        for (int k = 0; k <= segments; ++k) {
            const float f = float(k) / float(segments);
            const float x = -0.5f * sweep + sweep * f;
            mesh.addVertex(MeshVertex{Vec3{x, a.y, a.z}, normal, f * uRepeat, along[e] / total});
            mesh.addVertex(
                MeshVertex{Vec3{x, b.y, b.z}, normal, f * uRepeat, along[e + 1] / total});
        }
        for (int k = 0; k < segments; ++k) {
            const uint32_t a0 = first + 2 * k, b0 = a0 + 1, a1 = a0 + 2, b1 = a0 + 3;
            mesh.addTriangle(a0, a1, b1, normal);
            mesh.addTriangle(a0, b1, b0, normal);
        }
    }
    return true;
}

bool quadMesh(const Vec3 corners[4], bool twoSided, Mesh& mesh, std::string& error) {
    const Vec3 normal = normalised(cross(corners[1] - corners[0], corners[2] - corners[0]));
    if (length(normal) == 0.0f) {
        error = "the quad's corners lie on a line";
        return false;
    }
    const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int side = 0; side < (twoSided ? 2 : 1); ++side) {
        const Vec3 front = side == 0 ? normal : normal * -1.0f;
        const uint32_t first = static_cast<uint32_t>(mesh.vertices.size());
        for (int i = 0; i < 4; ++i) {
            mesh.addVertex(MeshVertex{corners[i], front, uv[i][0], uv[i][1]});
        }
        mesh.addTriangle(first, first + 1, first + 2, front);
        mesh.addTriangle(first, first + 2, first + 3, front);
    }
    return true;
}

bool ringMesh(Vec3 centre, float inner, float outer, int segments, Mesh& mesh, std::string& error) {
    if (!(inner >= 0.0f) || !(outer > inner) || segments < 3 || segments > 256) {
        error = "a ring takes 0 <= inner < outer and 3 to 256 segments";
        return false;
    }
    for (int side = 0; side < 2; ++side) {
        const Vec3 front{side == 0 ? 1.0f : -1.0f, 0, 0};
        const uint32_t first = static_cast<uint32_t>(mesh.vertices.size());
        for (int k = 0; k <= segments; ++k) {
            const float f = float(k) / float(segments);
            const float c = std::cos(2.0f * PI * f), s = std::sin(2.0f * PI * f);
            mesh.addVertex(MeshVertex{centre + Vec3{0, s * inner, c * inner}, front, 0, f});
            mesh.addVertex(MeshVertex{centre + Vec3{0, s * outer, c * outer}, front, 1, f});
        }
        for (int k = 0; k < segments; ++k) {
            const uint32_t i0 = first + 2 * k, o0 = i0 + 1, i1 = i0 + 2, o1 = i0 + 3;
            mesh.addTriangle(i0, o0, o1, front);
            mesh.addTriangle(i0, o1, i1, front);
        }
    }
    return true;
}

bool skyFaceMesh(int face, float size, int texels, Mesh& mesh, std::string& error) {
    if (face < 0 || face >= SKY_FACES || !(size > 0.0f) || texels < 1) {
        error = "a sky face takes a face, a positive size and the texel count of its texture";
        return false;
    }
    const float edge = skyEdgeCoordinate(texels);
    const float st[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const Vec3 inwards = skyFacePoint(face, 0.5f, 0.5f) * -1.0f;
    const uint32_t first = static_cast<uint32_t>(mesh.vertices.size());
    for (const auto& c : st) {
        mesh.addVertex(MeshVertex{skyFacePoint(face, c[0], c[1]) * size, inwards,
                                  c[0] == 0 ? edge : 1.0f - edge, c[1] == 0 ? edge : 1.0f - edge});
    }
    mesh.addTriangle(first, first + 1, first + 2, inwards);
    mesh.addTriangle(first, first + 2, first + 3, inwards);
    return true;
}

}  // namespace trellin
