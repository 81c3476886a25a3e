#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>

#include "tests/core/file/TempDirectory.h"
#include "tools/data/DataBuild.h"
#include "tools/data/Mesh.h"
#include "tools/data/ShaderSource.h"
#include "tools/data/SkyFaces.h"
#include "tools/data/SourceDocument.h"

using namespace trellin;

namespace {

TEST(SourceDocument, ReadsSectionsAndRepeatedKeys) {
    const std::string text =
        "# comment\n"
        "[mesh a]   # trailing comment\n"
        "point = 1 2 3\r\n"
        "point=4 5 6\n"
        "\n"
        "[light b]\n"
        "colour = 1 1 1 1\n";
    SourceDocument d;
    std::string error;
    ASSERT_TRUE(d.parse(text, "f.txt", error)) << error;
    ASSERT_EQ(d.sections().size(), 2u);
    EXPECT_EQ(d.sections()[0].kind, "mesh");
    EXPECT_EQ(d.sections()[0].name, "a");
    ASSERT_EQ(d.sections()[0].entries.size(), 2u);
    EXPECT_EQ(d.sections()[0].entries[1].values, (std::vector<std::string>{"4", "5", "6"}));
    EXPECT_EQ(d.sections()[0].entries[1].line, 4);
    EXPECT_EQ(d.sections()[1].line, 6);
}

TEST(SourceDocument, RefusesMalformedLinesWithTheirLine) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"key = 1\n", "f.txt:1: a key outside any section"},
        {"[a b]\nkey =\n", "f.txt:2: key key has no value"},
        {"[a b]\nno equals sign\n", "f.txt:2: expected [kind name] or key = values"},
        {"[a b]\nbad key = 1\n", "f.txt:2: expected [kind name] or key = values"},
        {"[a b]\nk-y = 1\n", "f.txt:2: expected [kind name] or key = values"},
        {"[a]\n", "f.txt:1: a section header is [kind name]"},
        {"[a b c]\n", "f.txt:1: a section header is [kind name]"},
        {"[a b\n", "f.txt:1: a section header is [kind name]"},
        {"[a [b]]\n", "f.txt:1: a section header is [kind name]"},
    };
    for (const auto& c : cases) {
        SourceDocument d;
        std::string error;
        EXPECT_FALSE(d.parse(c.text, "f.txt", error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

std::string readSection(const char* text, const std::function<void(SectionReader&)>& read) {
    SourceDocument d;
    std::string error;
    EXPECT_TRUE(d.parse(text, "f.txt", error)) << error;
    SectionReader r(d.sections().at(0), d.fileName());
    read(r);
    r.finish(error);
    return error;
}

TEST(SectionReader, ReportsMissingUnknownRepeatedAndBadValues) {
    float v[3] = {0, 0, 0};
    EXPECT_EQ(
        readSection("[t x]\nsize = 1 2\n", [&](SectionReader& r) { r.numbers("size", v, 2); }), "");
    EXPECT_EQ(v[1], 2.0f);
    EXPECT_EQ(readSection("[t x]\n", [&](SectionReader& r) { r.numbers("size", v, 2); }),
              "f.txt:1: [t x] key size is missing");
    EXPECT_EQ(readSection("[t x]\nsize = 1 2\nsise = 3\n",
                          [&](SectionReader& r) { r.numbers("size", v, 2); }),
              "f.txt:3: [t x] unknown key sise");
    EXPECT_EQ(readSection("[t x]\nsize = 1 2\nsize = 1 2\n",
                          [&](SectionReader& r) { r.numbers("size", v, 2); }),
              "f.txt:3: [t x] key size is given twice");
    EXPECT_EQ(readSection("[t x]\nsize = 1\n", [&](SectionReader& r) { r.numbers("size", v, 2); }),
              "f.txt:2: [t x] key size takes 2 words");
    EXPECT_EQ(
        readSection("[t x]\nsize = 1 nan\n", [&](SectionReader& r) { r.numbers("size", v, 2); }),
        "f.txt:2: [t x] key size: nan is not a number");
    EXPECT_EQ(readSection("[t x]\nn = 1e30\n", [&](SectionReader& r) { r.count("n", 1, 256); }),
              "f.txt:1: [t x] key n is a whole number from 1 to 256");
    EXPECT_EQ(readSection("[t x]\nn = 2.5\n", [&](SectionReader& r) { r.count("n", 1, 256); }),
              "f.txt:1: [t x] key n is a whole number from 1 to 256");
    EXPECT_EQ(readSection("[t x]\nf = maybe\n", [&](SectionReader& r) { r.flag("f", false); }),
              "f.txt:1: [t x] key f is yes or no");
}

// Every triangle faces the way its vertex normals point, and those point away from the
// mesh's middle (for a closed convex mesh).
void expectOutwards(const Mesh& mesh) {
    const Vec3 middle = mesh.centroid();
    ASSERT_EQ(mesh.indices.size() % 3, 0u);
    for (std::size_t i = 0; i < mesh.indices.size(); i += 3) {
        const MeshVertex& a = mesh.vertices[mesh.indices[i]];
        const MeshVertex& b = mesh.vertices[mesh.indices[i + 1]];
        const MeshVertex& c = mesh.vertices[mesh.indices[i + 2]];
        const Vec3 winding = cross(b.position - a.position, c.position - a.position);
        EXPECT_GT(dot(winding, a.normal), 0.0f) << "triangle " << i / 3;
        EXPECT_GT(dot(a.normal, a.position - middle), 0.0f) << "triangle " << i / 3;
    }
}

TEST(Mesh, HullOfABoxHasTwoOutwardTrianglesPerSide) {
    std::vector<Vec3> corners;
    for (int i = 0; i < 8; ++i) {
        corners.push_back(Vec3{i & 1 ? 1.0f : -1.0f, i & 2 ? 0.5f : -0.5f, i & 4 ? 2.0f : -2.0f});
    }
    corners.push_back(corners[3]);  // a repeated point changes nothing
    Mesh box;
    std::string error;
    ASSERT_TRUE(hullMesh(corners, 1.0f, box, error)) << error;
    EXPECT_EQ(box.indices.size(), 36u);
    EXPECT_EQ(box.vertices.size(), 24u);
    expectOutwards(box);

    Mesh flat;
    EXPECT_FALSE(hullMesh({{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {1, 0, 1}}, 1.0f, flat, error));
    EXPECT_FALSE(hullMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, 1.0f, flat, error));
}

TEST(Mesh, MirroredHullStillFacesOutwards) {
    Mesh wedge;
    std::string error;
    ASSERT_TRUE(
        hullMesh({{0, 0, 0.2f}, {1, 0, 0.2f}, {0, 0.3f, 0.2f}, {0.5f, 0, 1}}, 1.0f, wedge, error));
    wedge.mirror(2);
    EXPECT_LT(wedge.centroid().z, 0.0f);
    expectOutwards(wedge);
}

TEST(Mesh, ExtrudedLaneFacesUpInSlicesAlongX) {
    Mesh lane;
    std::string error;
    ASSERT_TRUE(extrudeMesh({1, 0, -1, 0}, 10.0f, 8, 2.0f, lane, error)) << error;
    EXPECT_EQ(lane.vertices.size(), 18u);
    EXPECT_EQ(lane.indices.size(), 48u);
    float minX = 1e9f, maxX = -1e9f, maxU = 0;
    for (const MeshVertex& v : lane.vertices) {
        EXPECT_EQ(v.normal.y, 1.0f);
        minX = std::min(minX, v.position.x);
        maxX = std::max(maxX, v.position.x);
        maxU = std::max(maxU, v.u);
    }
    EXPECT_EQ(minX, -5.0f);
    EXPECT_EQ(maxX, 5.0f);
    EXPECT_EQ(maxU, 2.0f);
    for (std::size_t i = 0; i < lane.indices.size(); i += 3) {
        const Vec3 a = lane.vertices[lane.indices[i]].position;
        const Vec3 b = lane.vertices[lane.indices[i + 1]].position;
        const Vec3 c = lane.vertices[lane.indices[i + 2]].position;
        EXPECT_GT(cross(b - a, c - a).y, 0.0f) << "counter-clockwise seen from above";
    }
    EXPECT_FALSE(extrudeMesh({1, 0}, 10.0f, 8, 1.0f, lane, error));
    EXPECT_FALSE(extrudeMesh({1, 0, -1, 0}, 0.0f, 8, 1.0f, lane, error));
}

TEST(Mesh, TwoSidedQuadFacesBothWays) {
    const Vec3 corners[4] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    Mesh quad;
    std::string error;
    ASSERT_TRUE(quadMesh(corners, true, quad, error));
    ASSERT_EQ(quad.indices.size(), 12u);
    for (std::size_t i = 0; i < quad.indices.size(); i += 3) {
        const MeshVertex& a = quad.vertices[quad.indices[i]];
        const Vec3 winding = cross(quad.vertices[quad.indices[i + 1]].position - a.position,
                                   quad.vertices[quad.indices[i + 2]].position - a.position);
        EXPECT_GT(dot(winding, a.normal), 0.0f);
        EXPECT_EQ(a.normal.z, i < 6 ? 1.0f : -1.0f);
    }
}

// The edge texels of each sky face show the same directions as its neighbours' edge texels,
// so that the cube shows no seams.
TEST(SkyFaces, EdgeTexelsOfNeighbouringFacesMeet) {
    const int n = 8;
    std::map<std::tuple<long, long, long>, int> faces;
    for (int face = 0; face < SKY_FACES; ++face) {
        std::set<std::tuple<long, long, long>> own;
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                if (i != 0 && j != 0 && i != n - 1 && j != n - 1) {
                    continue;
                }
                const Vec3 p = skyFacePoint(face, skyTexelPosition(i, n), skyTexelPosition(j, n));
                own.insert(
                    {std::lround(p.x * 1e4), std::lround(p.y * 1e4), std::lround(p.z * 1e4)});
            }
        }
        for (const auto& key : own) {
            ++faces[key];
        }
    }
    for (const auto& point : faces) {
        EXPECT_GE(point.second, 2);
    }
    Mesh face;
    std::string error;
    ASSERT_TRUE(skyFaceMesh(skyFaceIndex("-y"), 10.0f, n, face, error));
    for (const MeshVertex& v : face.vertices) {
        EXPECT_EQ(v.normal.y, 1.0f) << "seen from inside";
        EXPECT_TRUE(v.u == 0.5f / n || v.u == 1.0f - 0.5f / n);
    }
}

IncludeReader snippets(const std::map<std::string, std::string>& files) {
    return [files](const std::string& file, std::string& snippet, std::string& error) {
        const auto found = files.find(file);
        if (found == files.end()) {
            error = "no include " + file;
            return false;
        }
        snippet = found->second;
        return true;
    };
}

TEST(ShaderSource, IncludesSnippetsInPlace) {
    std::string source, error;
    ASSERT_TRUE(expandShaderSource("#version 100\n  #include \"a.glsl\"\nvoid main() {}\n",
                                   "s.vert", snippets({{"a.glsl", "float a;"}}), source, error))
        << error;
    EXPECT_EQ(source, "#version 100\nfloat a;\nvoid main() {}\n");

    const struct {
        const char* text;
        std::map<std::string, std::string> files;
        const char* error;
    } cases[] = {
        {"void main() {}\n", {}, "s.vert: a shader source begins with #version 100"},
        {"#version 100\n#include \"b.glsl\"\n", {}, "s.vert:2: no include b.glsl"},
        {"#version 100\n#include b.glsl\n",
         {},
         "s.vert:2: an include line is #include \"file\" of the include folder"},
        {"#version 100\n#include \"../b.glsl\"\n",
         {},
         "s.vert:2: an include line is #include \"file\" of the include folder"},
        {"#version 100\n#include \"a.glsl\"\n",
         {{"a.glsl", "#include \"a.glsl\"\n"}},
         "s.vert:2: \"a.glsl\" may hold neither #include nor #version"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(expandShaderSource(c.text, "s.vert", snippets(c.files), source, error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(DataBuild, SameSourcesGiveTheSameArchive) {
    DataBuild first(TRELLIN_SOURCE_FOLDER "/data");
    DataBuild second(TRELLIN_SOURCE_FOLDER "/data");
    std::string error;
    ASSERT_TRUE(first.run(error)) << error;
    ASSERT_TRUE(second.run(error)) << error;
    Bytes a, b, built;
    ASSERT_TRUE(first.archive(a, error)) << error;
    ASSERT_TRUE(second.archive(b, error)) << error;
    EXPECT_TRUE(a == b);
    // The archive the build made is the same too.
    ASSERT_TRUE(readFileBytes(TRELLIN_RUN_FOLDER "/app/native/trellin.pak", built, error)) << error;
    EXPECT_TRUE(a == built);
}

// A small data folder with one of everything, for the builder's own checks.
class BrokenData : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write("shaders/a.vert", "#version 100\nvoid main() {}\n");
        dir.write("lights.txt", "[light sun]\ncolour = 1 1 1 1\ndirection = 0 -2 0\n");
        dir.write("textures/t.txt",
                  "[group Textures/T]\n[texture white]\nsize = 2 2\nformat = rgb\n"
                  "filter = mipmap\npattern = solid\n");
        dir.write("meshes/m.txt",
                  "[mesh q]\nshape = quad\ncorner = 0 0 0\ncorner = 1 0 0\n"
                  "corner = 1 1 0\ncorner = 0 1 0\n");
        model =
            "[model M]\nfolder = Mesh/Objects/M\n"
            "[material m]\nshader = S\ntextures = white\n"
            "[piece p]\ndraw = q m\n";
    }

    std::string build() {
        dir.write("models/m.txt", model);
        DataBuild build(dir.path());
        std::string error;
        build.run(error);
        return error;
    }

    trellin_test::TempDirectory dir;
    std::string model;
};

TEST_F(BrokenData, TheSmallFolderBuilds) { EXPECT_EQ(build(), ""); }

TEST_F(BrokenData, NamesWhatIsMissingOrWrong) {
    const struct {
        const char* from;
        const char* to;
        const char* error;
    } cases[] = {
        {"textures = white", "textures = black",
         "models: models/m.txt:3: [material m] texture black is in no texture group"},
        {"draw = q m", "draw = r m", "models: models/m.txt:7: [piece p] mesh r is not described"},
        {"draw = q m", "draw = q n", "models: models/m.txt: material m is not drawn"},
        {"[piece p]\ndraw = q m\n", "", "models: models/m.txt: material m is not drawn"},
        {"[model M]", "[piece M]",
         "models: models/m.txt:1: [piece M] a model file begins with "
         "its one [model name]"},
    };
    const std::string original = model;
    for (const auto& c : cases) {
        model = original;
        model.replace(model.find(c.from), std::string(c.from).size(), c.to);
        EXPECT_EQ(build(), c.error) << c.to;
    }
}

TEST_F(BrokenData, RefusesTexturesTheRecordsCannotHold) {
    dir.write("textures/t.txt",
              "[group Textures/T]\n[texture white]\nsize = 3 2\nformat = rgb\n"
              "filter = mipmap\npattern = solid\n");
    EXPECT_EQ(build(),
              "textures: textures/t.txt:2: [texture white] a texture's sides are powers "
              "of two up to 2048");
    dir.write("textures/u.txt",
              "[group Textures/U]\n[texture white]\nsize = 2 2\nformat = rgb\n"
              "filter = linear\npattern = solid\n");
    dir.write("textures/t.txt",
              "[group Textures/T]\n[texture white]\nsize = 2 2\nformat = rgb\n"
              "filter = linear\npattern = solid\n");
    EXPECT_EQ(build(), "textures: textures/u.txt: texture white is named in another group too");
}

}  // namespace
