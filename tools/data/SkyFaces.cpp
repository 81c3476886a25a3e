#include "tools/data/SkyFaces.h"

namespace trellin {

namespace {

// Per face: the axis it lies on and the directions of s and t across it.
struct FaceFrame {
    const char* name;
    Vec3 axis, s, t;
};

const FaceFrame FACES[SKY_FACES] = {
    {"+x", {1, 0, 0}, {0, 0, -1}, {0, 1, 0}}, {"-x", {-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
    {"+y", {0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, {"-y", {0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    {"+z", {0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {"-z", {0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
};

}  // namespace

int skyFaceIndex(const std::string& name) {
    for (int i = 0; i < SKY_FACES; ++i) {
        if (name == FACES[i].name) {
            return i;
        }
    }
    return -1;
}

Vec3 skyFacePoint(int face, float s, float t) {
    const FaceFrame& f = FACES[face];
    return f.axis + f.s * (2.0f * s - 1.0f) + f.t * (2.0f * t - 1.0f);
}

}  // namespace trellin
