#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/core/file/TempDirectory.h"
#include "tools/datawriter/PakWriter.h"
#include "tools/pak/PakTool.h"

using trellin::Bytes;
using trellin::PakTool;
using trellin_test::bytesOf;
using trellin_test::TempDirectory;

namespace {

// Runs one command, giving back its exit code and what it printed.
struct Outcome {
    int code;
    std::string out;
    std::string err;
};

std::string drain(FILE* f) {
    std::rewind(f);
    std::string s;
    char buffer[512];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof(buffer), f)) > 0) {
        s.append(buffer, n);
    }
    std::fclose(f);
    return s;
}

Outcome run(std::initializer_list<const char*> args) {
    std::vector<const char*> argv = {"trellin-pak"};
    argv.insert(argv.end(), args.begin(), args.end());
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    const int code = PakTool(out, err).run(int(argv.size()), argv.data());
    return Outcome{code, drain(out), drain(err)};
}

std::string readText(const std::string& path) {
    Bytes bytes;
    std::string error;
    trellin::readFileBytes(path, bytes, error);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(PakTool, CreateListExtractRoundTrip) {
    TempDirectory dir;
    const std::string shader(4000, 'v');
    dir.write("in/shaders/GLSL/a.vert", shader);
    dir.write("in/textures/Tile.PNG", std::string("\x89PNG....", 8));
    dir.write("in/empty.txt", std::string());
    const std::string pak = dir / "out.pak";
    const std::string in = dir / "in";
    ASSERT_EQ(run({"create", pak.c_str(), in.c_str()}).code, 0);

    const Outcome listed = run({"list", pak.c_str()});
    ASSERT_EQ(listed.code, 0) << listed.err;
    const std::size_t vert = listed.out.find("shaders/GLSL/a.vert 4000 ");
    ASSERT_NE(vert, std::string::npos) << listed.out;
    EXPECT_NE(listed.out.substr(vert, 27), "shaders/GLSL/a.vert 4000 0\n") << "text is compressed";
    EXPECT_NE(listed.out.find("textures/Tile.PNG 8 0\n"), std::string::npos) << "images are stored";
    EXPECT_NE(listed.out.find("empty.txt 0 0\n"), std::string::npos);

    const std::string out = dir / "extracted";
    ASSERT_EQ(run({"extract", pak.c_str(), out.c_str()}).code, 0);
    EXPECT_EQ(readText(out + "/shaders/GLSL/a.vert"), shader);
    EXPECT_EQ(readText(out + "/textures/Tile.PNG"), std::string("\x89PNG....", 8));
    EXPECT_TRUE(std::filesystem::exists(out + "/empty.txt"));
}

TEST(PakTool, BadInputFailsWithAMessage) {
    TempDirectory dir;
    dir.write("junk.pak", std::string("not an archive at all"));
    const std::string junk = dir / "junk.pak";
    const std::string missing = dir / "missing";
    const std::string out = dir / "x.pak";
    const Outcome cases[] = {run({}),
                             run({"frobnicate"}),
                             run({"list"}),
                             run({"list", junk.c_str()}),
                             run({"extract", missing.c_str(), out.c_str()}),
                             run({"create", out.c_str(), missing.c_str()})};
    for (const Outcome& r : cases) {
        EXPECT_NE(r.code, 0);
        EXPECT_FALSE(r.err.empty());
    }
}

// A damaged directory entry may claim up to 4 GiB for a tiny member.
TEST(PakTool, ExtractRefusesAnImpossibleMemberSize) {
    TempDirectory dir;
    Bytes image;
    std::string error;
    ASSERT_TRUE(trellin::buildPak({{"big.txt", bytesOf("small text")}}, image, error));
    trellin::setU32(image, 8 + 12, 0xFFFFFFF0u);  // the only entry's unpacked size
    dir.write("damaged.pak", image);
    const std::string pak = dir / "damaged.pak";
    const std::string out = dir / "out";
    const Outcome r = run({"extract", pak.c_str(), out.c_str()});
    EXPECT_NE(r.code, 0);
    EXPECT_NE(r.err.find("damaged archive"), std::string::npos);
}

// A listed path that would leave the target directory is not extracted.
TEST(PakTool, ExtractKeepsInsideTheTarget) {
    TempDirectory dir;
    Bytes image;
    std::string error;
    ASSERT_TRUE(trellin::buildPak({{"../escape.txt", bytesOf("x")}, {"ok.txt", bytesOf("y")}},
                                  image, error));
    dir.write("evil.pak", image);
    const std::string pak = dir / "evil.pak";
    const std::string out = dir / "out";
    const Outcome r = run({"extract", pak.c_str(), out.c_str()});
    EXPECT_NE(r.code, 0);
    EXPECT_NE(r.err.find("unsafe"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "escape.txt"));
    EXPECT_EQ(readText(out + "/ok.txt"), "y");
}
