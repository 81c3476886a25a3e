#include "tools/data/DataBuild.h"
#include "tools/data/SkyFaces.h"

namespace trellin {

namespace {

const char* const MESH_SOURCES = "meshes";

Vec3 readPoint(SectionReader& reader, const SourceEntry& entry) {
    float p[3] = {0, 0, 0};
    reader.entryNumbers(entry, p, 3);
    return Vec3{p[0], p[1], p[2]};
}

int readAxis(SectionReader& reader) {
    const std::string axis = reader.word("axis");
    if (axis == "x" || axis == "y" || axis == "z") {
        return axis[0] - 'x';
    }
    reader.fail("axis is x, y or z");
    return 0;
}

// A mesh another mesh is made from: it must have been described before.
const Mesh* earlierMesh(const DataBuild& build, SectionReader& reader, const std::string& name) {
    const auto found = build.meshes.find(name);
    if (found == build.meshes.end()) {
        reader.fail("mesh " + name + " is not described before this one");
        return nullptr;
    }
    return &found->second;
}

void shapeMesh(const std::string& shape, DataBuild& build, SectionReader& reader, Mesh& mesh,
               std::string& reason) {
    if (shape == "hull") {
        std::vector<Vec3> points;
        for (const SourceEntry* e : reader.all("point")) {
            points.push_back(readPoint(reader, *e));
        }
        float uvScale = 1.0f;
        reader.optionalNumbers("uv_scale", &uvScale, 1);
        if (reader.ok()) {
            hullMesh(points, uvScale, mesh, reason);
        }
    } else if (shape == "extrude") {
        std::vector<float> profile;
        for (const SourceEntry* e : reader.all("point")) {
            float zy[2] = {0, 0};
            reader.entryNumbers(*e, zy, 2);
            profile.insert(profile.end(), zy, zy + 2);
        }
        float sweep = 0, uRepeat = 1;
        reader.numbers("length", &sweep, 1);
        const int segments = reader.count("segments", 1, 256);
        reader.optionalNumbers("u_repeat", &uRepeat, 1);
        if (reader.ok()) {
            extrudeMesh(profile, sweep, segments, uRepeat, mesh, reason);
        }
    } else if (shape == "quad") {
        const std::vector<const SourceEntry*> entries = reader.all("corner");
        Vec3 corners[4] = {};
        if (entries.size() != 4) {
            reader.fail("a quad has four corners");
        }
        for (std::size_t i = 0; i < entries.size() && i < 4; ++i) {
            corners[i] = readPoint(reader, *entries[i]);
        }
        const bool twoSided = reader.flag("two_sided", false);
        if (reader.ok()) {
            quadMesh(corners, twoSided, mesh, reason);
        }
    } else if (shape == "ring") {
        float centre[3] = {0, 0, 0}, radius[2] = {0, 0};
        reader.optionalNumbers("centre", centre, 3);
        reader.numbers("radius", radius, 2);
        const int segments = reader.count("segments", 3, 256);
        if (reader.ok()) {
            ringMesh(Vec3{centre[0], centre[1], centre[2]}, radius[0], radius[1], segments, mesh,
                     reason);
        }
    } else if (shape == "sky_face") {
        const int face = skyFaceIndex(reader.word("face"));
        float size = 0;
        reader.numbers("size", &size, 1);
        const int texels = reader.count("texels", 1, 2048);
        if (reader.ok()) {
            skyFaceMesh(face, size, texels, mesh, reason);
        }
    } else if (shape == "merge") {
        for (const std::string& part : reader.words("parts")) {
            const Mesh* source = earlierMesh(build, reader, part);
            if (source != nullptr && !mesh.append(*source)) {
                reader.fail("the merged mesh has more than 65536 vertices");
            }
        }
    } else if (shape == "mirror") {
        const Mesh* source = earlierMesh(build, reader, reader.word("of"));
        const int axis = readAxis(reader);
        if (source != nullptr) {
            mesh = *source;
            mesh.mirror(axis);
        }
    } else {
        reader.fail("unknown shape " + shape);
    }
}

}  // namespace

// data/meshes/*.txt: [mesh name] sections, each a shape (hull, extrude, quad, ring, sky_face,
// or merge and mirror of meshes described before) and an optional offset that moves it.
bool buildMeshes(DataBuild& build, std::string& error) {
    std::vector<SourceDocument> documents;
    if (!build.readDocuments(MESH_SOURCES, documents, error)) {
        return false;
    }
    for (const SourceDocument& document : documents) {
        for (const SourceSection& section : document.sections()) {
            SectionReader reader(section, document.fileName());
            if (section.kind != "mesh") {
                reader.fail("a mesh file holds [mesh name] sections");
            }
            if (build.meshes.count(section.name) != 0) {
                reader.fail("mesh " + section.name + " is described twice");
            }
            Mesh mesh;
            std::string reason;
            const std::string shape = reader.word("shape");
            if (reader.ok()) {
                shapeMesh(shape, build, reader, mesh, reason);
            }
            if (!reason.empty()) {
                reader.fail(reason);
            }
            float offset[3] = {0, 0, 0};
            reader.optionalNumbers("offset", offset, 3);
            mesh.translate(Vec3{offset[0], offset[1], offset[2]});
            if (reader.ok() && mesh.indices.empty()) {
                reader.fail("the mesh has no triangles");
            }
            if (!reader.finish(error)) {
                return false;
            }
            build.meshes[section.name] = mesh;
        }
    }
    return true;
}

}  // namespace trellin
