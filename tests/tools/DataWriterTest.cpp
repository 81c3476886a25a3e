#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/hash/HashString.h"
#include "tests/core/data/TestRecords.h"
#include "tests/core/file/TempDirectory.h"
#include "tools/datawriter/PakWriter.h"
#include "tools/datawriter/StaticObjectWriter.h"
#include "tools/datawriter/StringTableWriter.h"

using trellin::Bytes;
using trellin::getU32;
using trellin_test::bytesOf;

TEST(PakWriter, LayoutSortedPathsAndListingLast) {
    Bytes image;
    std::string error;
    ASSERT_TRUE(trellin::buildPak({{"b/two.png", bytesOf("22")}, {"a/one.png", bytesOf("1")}},
                                  image, error));
    EXPECT_EQ(getU32(image, 0), 8u + 2 * 16);
    const uint32_t listing = getU32(image, 4);
    EXPECT_EQ(std::string(image.begin() + listing, image.end()), "a/one.png\nb/two.png\n");
    EXPECT_EQ(getU32(image, 8), orvo::HashString::calculateHash("a/one.png"));
    EXPECT_EQ(getU32(image, 12), 0u);  // offset
    EXPECT_EQ(getU32(image, 16), 0u);  // stored
    EXPECT_EQ(getU32(image, 20), 1u);  // size
    EXPECT_EQ(getU32(image, 24 + 4), 1u);
    EXPECT_EQ(image[40], '1');
}

TEST(PakWriter, RefusesBadMemberLists) {
    Bytes image;
    std::string error;
    EXPECT_FALSE(trellin::buildPak({{"", bytesOf("x")}}, image, error));
    EXPECT_FALSE(trellin::buildPak({{"a", bytesOf("x")}, {"a", bytesOf("y")}}, image, error));
    EXPECT_NE(error.find("duplicate"), std::string::npos);
}

// What the engine reads in pieces is stored, the rest compressed; an empty member is always
// stored, since packed size 0 is what marks a stored member.
TEST(PakWriter, StoresWhatTheEngineReadsInPieces) {
    const struct {
        const char* path;
        bool inPieces;
    } cases[] = {{"Data/Android/Textures/tile.png", true}, {"ui/Logo.TGA", true},
                 {"Data/Android/Audio/crash.wav", false},  {"shaders/GLSL/a.vert", false},
                 {"scripts/Rml/title.rml", false},         {"dir.png/readme", false},
                 {"Mesh/x_T461abc5f.objects", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(trellin::readInPieces(c.path), c.inPieces) << c.path;
        Bytes image;
        std::string error;
        ASSERT_TRUE(trellin::buildPak({{c.path, Bytes(64, 'a')}}, image, error)) << error;
        EXPECT_EQ(getU32(image, 16) == 0, c.inPieces) << c.path;  // packed size
    }
    Bytes image;
    std::string error;
    ASSERT_TRUE(trellin::buildPak({{"e.txt", Bytes()}}, image, error));
    EXPECT_EQ(getU32(image, 16), 0u);
}

TEST(StringTableWriter, LayoutAndRefusals) {
    Bytes table;
    std::string error;
    ASSERT_TRUE(trellin::buildStringTable({{"A", "x"}, {"B", "yz"}}, table, error));
    EXPECT_EQ(getU32(table, 0), 2u);
    EXPECT_EQ(getU32(table, 4), orvo::HashString::calculateHash("A"));
    EXPECT_EQ(getU32(table, 8), 0u);
    EXPECT_EQ(getU32(table, 16), 2u);
    EXPECT_EQ(std::string(table.begin() + 20, table.end()), std::string("x\0yz\0", 5));
    EXPECT_FALSE(trellin::buildStringTable({{"A", "x"}, {"A", "y"}}, table, error));
    EXPECT_FALSE(trellin::buildStringTable({{"A", std::string("x\0y", 3)}}, table, error));
}

// Sets with nothing to patch get no data pair; an empty set is refused.
TEST(StaticObjectWriter, NeverWritesAnEmptyFile) {
    trellin_test::TempDirectory dir;
    std::vector<trellin_test::SurfaceRecord> plain(2);
    trellin::StaticObjectFiles files;
    std::string error;
    ASSERT_TRUE(trellin::buildStaticObjects({"a", "b"}, plain.data(), 2, files, error));
    EXPECT_EQ(files.objects.size(), 2u * 60);
    EXPECT_TRUE(files.data.empty());
    EXPECT_TRUE(files.fixup.empty());
    ASSERT_TRUE(trellin::writeStaticObjects(dir / "Set", files, error));
    EXPECT_TRUE(std::filesystem::exists(dir / "Set.objects"));
    EXPECT_TRUE(std::filesystem::exists(dir / "Set.ids"));
    EXPECT_FALSE(std::filesystem::exists(dir / "Set.array_data"));
    EXPECT_FALSE(std::filesystem::exists(dir / "Set.array_fixup"));
    EXPECT_FALSE(trellin::buildStaticObjects({}, plain.data(), 0, files, error));
    EXPECT_FALSE(trellin::buildStaticObjects({"a"}, plain.data(), 2, files, error));
}
