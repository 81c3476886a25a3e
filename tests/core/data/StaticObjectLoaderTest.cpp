#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/containers/ArrayStorage.h"
#include "core/data/StaticObjectLoader.h"
#include "core/file/FileBase.h"
#include "tests/core/data/TestRecords.h"
#include "tests/core/file/ManagerUse.h"
#include "tests/core/file/TempDirectory.h"
#include "tools/datawriter/StaticObjectWriter.h"

using namespace orvo;
using trellin::Bytes;
using trellin_test::BlockRecord;
using trellin_test::Slot;
using trellin_test::SurfaceRecord;
using trellin_test::TempDirectory;

namespace {

std::vector<SurfaceRecord> surfaces() {
    std::vector<SurfaceRecord> r(3);
    r[0].colour[1] = 0.5f;
    r[0].specular = 2.25f;
    r[0].shader = HashString("tile_shader");
    r[0].level = -7;
    r[0].slots.pushBack(Slot{HashString("stone"), {0, 1, 0, 0, 0, 0, 0}});
    r[0].slots.pushBack(Slot{HashString("moss"), {9, 8, 7, 6, 5, 4, 3}});
    r[0].names.pushBack(HashString("a"));
    r[1].names.pushBack(HashString("b"));
    r[1].names.pushBack(HashString("c"));
    r[2].level = 3;
    return r;
}

const std::vector<std::string> SURFACE_NAMES = {"first", "second", "third"};

template <class T>
ZqString stemOf(const char* group) {
    return ZqString(group) + "/" + StaticRecord<T>::TYPE_NAME +
           StaticObjectLoader::typeSuffix(StaticRecord<T>::TYPE_NAME);
}

void expectSameSlots(const Array<Slot>& loaded, const Array<Slot>& made) {
    ASSERT_EQ(loaded.size(), made.size());
    for (std::size_t i = 0; i < made.size(); ++i) {
        EXPECT_EQ(loaded[i].texture, made[i].texture);
        for (int w = 0; w < 7; ++w) {
            EXPECT_EQ(loaded[i].words[w], made[i].words[w]);
        }
    }
}

class StaticObjectLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { FileBase::setRootPath(dir.path().c_str()); }

    trellin::StaticObjectFiles surfaceFiles() {
        const std::vector<SurfaceRecord> made = surfaces();
        trellin::StaticObjectFiles files;
        std::string error;
        EXPECT_TRUE(
            trellin::buildStaticObjects(SURFACE_NAMES, made.data(), made.size(), files, error));
        return files;
    }
    void writeFiles(const ZqString& stem, const std::map<std::string, Bytes>& files) {
        for (const auto& file : files) {
            dir.write(std::string(stem.c_str()) + file.first, file.second);
        }
    }

    TempDirectory dir;
};

}  // namespace

TEST_F(StaticObjectLoaderTest, ArrayRecordsRoundTrip) {
    const std::vector<SurfaceRecord> made = surfaces();
    const ZqString stem = stemOf<SurfaceRecord>("Mesh/Objects/Tiles");
    EXPECT_EQ(std::string(stem.c_str()),
              trellin::staticObjectStem("Mesh/Objects/Tiles", "SurfaceRecord"));
    trellin::StaticObjectFiles files = surfaceFiles();
    std::string error;
    ASSERT_TRUE(trellin::writeStaticObjects(dir / stem.c_str(), files, error)) << error;

    Array<SurfaceRecord> loaded;
    Array<HashString> ids;
    ASSERT_EQ(StaticObjectLoader::loadObjects(loaded, stem, 0), 3);
    ASSERT_TRUE(StaticObjectLoader::loadRemaining(ids, loaded, stem, 0));
    ASSERT_EQ(ids.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(ids[i], HashString(SURFACE_NAMES[i].c_str()));
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(loaded[i].colour[c], made[i].colour[c]);
        }
        EXPECT_EQ(loaded[i].specular, made[i].specular);
        EXPECT_EQ(loaded[i].shader, made[i].shader);
        EXPECT_EQ(loaded[i].level, made[i].level);
        expectSameSlots(loaded[i].slots, made[i].slots);
        ASSERT_EQ(loaded[i].names.size(), made[i].names.size());
        for (std::size_t n = 0; n < made[i].names.size(); ++n) {
            EXPECT_EQ(loaded[i].names[n], made[i].names[n]);
        }
    }
    // The first non-empty array owns the data block; every other one only views it.
    EXPECT_EQ(loaded[0].slots.getCategory(), ArrayStorage::BLOCK_CATEGORY);
    EXPECT_EQ(loaded[0].names.getCategory(), ArrayStorage::VIEW_CATEGORY);
    EXPECT_EQ(loaded[1].names.getCategory(), ArrayStorage::VIEW_CATEGORY);
    EXPECT_EQ(loaded[2].slots.getCategory(), ArrayStorage::VIEW_CATEGORY);
    EXPECT_EQ(loaded[2].slots.data(), nullptr);
}

TEST_F(StaticObjectLoaderTest, BinaryBlockRecordsRoundTrip) {
    unsigned char five[] = {1, 2, 3, 4, 5};
    unsigned char three[] = {7, 8, 9};
    std::vector<BlockRecord> made(3);
    made[0].flags = 9;
    made[1].count = 5;
    made[1].byteSize = 5;
    made[1].bytes = five;
    made[2].byteSize = 3;
    made[2].bytes = three;
    trellin::StaticObjectFiles files;
    std::string error;
    ASSERT_TRUE(
        trellin::buildStaticObjects({"x", "y", "z"}, made.data(), made.size(), files, error));
    EXPECT_TRUE(files.binBlocks);
    const ZqString stem = stemOf<BlockRecord>("Blocks");
    ASSERT_TRUE(trellin::writeStaticObjects(dir / stem.c_str(), files, error)) << error;

    const trellin_test::ManagerUse use;
    Array<BlockRecord> loaded;
    Array<HashString> ids;
    ASSERT_EQ(StaticObjectLoader::loadObjects(loaded, stem, 0), 3);
    ASSERT_TRUE(StaticObjectLoader::loadRemaining(ids, loaded, stem, 0));
    EXPECT_EQ(loaded[0].flags, 9u);
    EXPECT_EQ(loaded[0].byteSize, 0u);
    EXPECT_EQ(loaded[0].bytes, nullptr);
    EXPECT_EQ(loaded[1].count, 5u);
    ASSERT_EQ(loaded[1].byteSize, 5u);
    EXPECT_EQ(std::vector<unsigned char>(loaded[1].bytes, loaded[1].bytes + 5),
              std::vector<unsigned char>(five, five + 5));
    ASSERT_EQ(loaded[2].byteSize, 3u);
    EXPECT_EQ(loaded[2].bytes[2], 9);
    EXPECT_EQ(loaded[0].ownsBytes, 0u);
    EXPECT_EQ(loaded[1].ownsBytes, 1u);
    EXPECT_EQ(loaded[2].ownsBytes, 0u);
    ids.clear();
    loaded.clear();
    EXPECT_TRUE(use.unchanged()) << "the owning record frees the data block";
}

// Fixups A (empty), B (16 bytes at 0) and C (8 bytes at 16): B owns, A and C are views.
TEST_F(StaticObjectLoaderTest, FirstNonEmptyFixupOwnsTheBlock) {
    const ZqString stem = stemOf<SurfaceRecord>("Owner");
    trellin::StaticObjectFiles files = surfaceFiles();
    Bytes fixup;
    for (uint32_t word : {28u, 0u, 0u, 44u, 0u, 16u, 60u + 44u, 16u, 8u}) {
        trellin::putU32(fixup, word);
    }
    writeFiles(stem, {{".objects", files.objects},
                      {".ids", files.ids},
                      {".array_data", Bytes(24, 0x11)},
                      {".array_fixup", fixup}});
    Array<SurfaceRecord> loaded;
    Array<HashString> ids;
    ASSERT_EQ(StaticObjectLoader::loadObjects(loaded, stem, 0), 3);
    ASSERT_TRUE(StaticObjectLoader::loadRemaining(ids, loaded, stem, 0));
    EXPECT_TRUE(loaded[0].slots.empty());
    EXPECT_EQ(loaded[0].slots.data(), nullptr);
    EXPECT_EQ(loaded[0].slots.getCategory(), ArrayStorage::VIEW_CATEGORY);
    EXPECT_EQ(loaded[0].names.size(), 4u);
    EXPECT_EQ(loaded[0].names.getCategory(), ArrayStorage::BLOCK_CATEGORY);
    EXPECT_EQ(loaded[1].names.size(), 2u);
    EXPECT_EQ(loaded[1].names.data(), loaded[0].names.data() + 4);
    EXPECT_EQ(loaded[1].names.getCategory(), ArrayStorage::VIEW_CATEGORY);
}

TEST_F(StaticObjectLoaderTest, LoadDataResults) {
    dir.write("empty.bin", std::string());
    dir.write("three.bin", std::string("abc"));
    unsigned char* block = nullptr;
    EXPECT_EQ(StaticObjectLoader::loadData(block, "missing.bin", 0),
              StaticObjectLoader::LOAD_MISSING);
    EXPECT_EQ(StaticObjectLoader::loadData(block, "empty.bin", 0), 0);
    EXPECT_EQ(block, nullptr);
    ASSERT_EQ(StaticObjectLoader::loadData(block, "three.bin", 0), 3);
    EXPECT_EQ(block[2], 'c');
    StaticObjectLoader::freeBlock(block);
}

namespace {

Bytes fixups(std::initializer_list<uint32_t> words) {
    Bytes b;
    for (uint32_t w : words) {
        trellin::putU32(b, w);
    }
    return b;
}

struct SetCase {
    const char* what;
    std::function<void(std::map<std::string, Bytes>&)> change;
    bool loads;
    std::size_t names;
};

}  // namespace

// Every broken set is refused as a whole and keeps nothing; sets without data need none.
TEST_F(StaticObjectLoaderTest, IncompleteAndMalformedSets) {
    const Bytes data(64, 0);
    const SetCase cases[] = {
        {"complete", [](std::map<std::string, Bytes>&) {}, true, 3},
        {"neither data pair",
         [](std::map<std::string, Bytes>& f) {
             f.erase(".array_data");
             f.erase(".array_fixup");
         },
         true, 3},
        {"ids of 10 bytes", [](std::map<std::string, Bytes>& f) { f[".ids"].resize(10); }, true, 2},
        {"no ids", [](std::map<std::string, Bytes>& f) { f.erase(".ids"); }, false, 0},
        {"empty ids", [](std::map<std::string, Bytes>& f) { f[".ids"].clear(); }, false, 0},
        {"data without fixups", [](std::map<std::string, Bytes>& f) { f.erase(".array_fixup"); },
         false, 0},
        {"empty data", [](std::map<std::string, Bytes>& f) { f[".array_data"].clear(); }, false, 0},
        {"record beyond the set",
         [](std::map<std::string, Bytes>& f) {
             f[".array_fixup"] = fixups({3 * 60 + 28, 0, 16});
         },
         false, 0},
        {"patches a word",
         [](std::map<std::string, Bytes>& f) {
             f[".array_fixup"] = fixups({24, 0, 16});
         },
         false, 0},
        {"contents beyond the data",
         [](std::map<std::string, Bytes>& f) {
             f[".array_fixup"] = fixups({28, 0, 32, 44, 48, 32});
         },
         false, 0},
        {"size overflowing",
         [](std::map<std::string, Bytes>& f) {
             f[".array_fixup"] = fixups({28, 0, 32, 44, 16, 0xFFFFFFF8u});
         },
         false, 0},
        {"owner not at the start",
         [](std::map<std::string, Bytes>& f) {
             f[".array_fixup"] = fixups({28, 32, 32});
         },
         false, 0},
        {"owner patched twice",
         [](std::map<std::string, Bytes>& f) {
             f[".array_fixup"] = fixups({28, 0, 32, 28, 32, 32});
         },
         false, 0},
        {"misaligned array",
         [](std::map<std::string, Bytes>& f) {
             f[".array_fixup"] = fixups({28, 0, 32, 44, 34, 4});
         },
         false, 0},
        {"binary-block fixups on arrays",
         [](std::map<std::string, Bytes>& f) {
             f[".binblock_data"] = f[".array_data"];
             f[".binblock_fixup"] = f[".array_fixup"];
             f.erase(".array_data");
             f.erase(".array_fixup");
         },
         false, 0},
        {"no owner at all",
         [](std::map<std::string, Bytes>& f) {
             f[".array_fixup"] = fixups({28, 0, 0});
         },
         true, 3},
    };
    int n = 0;
    for (const SetCase& c : cases) {
        const ZqString stem = ZqString("case") + std::to_string(n++).c_str() + "/Set";
        std::map<std::string, Bytes> files = {{".objects", surfaceFiles().objects},
                                              {".ids", surfaceFiles().ids},
                                              {".array_data", data},
                                              {".array_fixup", fixups({28, 0, 32, 44, 32, 4})}};
        c.change(files);
        writeFiles(stem, files);
        const trellin_test::ManagerUse use;
        {
            Array<SurfaceRecord> loaded;
            Array<HashString> ids;
            ASSERT_EQ(StaticObjectLoader::loadObjects(loaded, stem, 0), 3) << c.what;
            EXPECT_EQ(StaticObjectLoader::loadRemaining(ids, loaded, stem, 0), c.loads) << c.what;
            EXPECT_EQ(ids.size(), c.names) << c.what;
        }
        EXPECT_TRUE(use.unchanged()) << c.what << ": every block is freed with the records";
    }
}

// For a record whose first stored field is an array, a fixup at the records' end would name an
// array field one record past the loaded ones: it is refused like any other outside them.
TEST_F(StaticObjectLoaderTest, FixupAtTheRecordsEndIsRefused) {
    std::vector<trellin_test::IndexRecord> made(2);
    made[0].indices.pushBack(1);
    made[1].indices.pushBack(2);
    trellin::StaticObjectFiles files;
    std::string error;
    ASSERT_TRUE(trellin::buildStaticObjects({"a", "b"}, made.data(), made.size(), files, error));
    const struct {
        uint32_t offsetInObjects;
        bool loads;
    } cases[] = {{16, true}, {32, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offsetInObjects);
        const ZqString stem =
            ZqString("end") + std::to_string(c.offsetInObjects).c_str() + "/IndexRecord";
        writeFiles(stem, {{".objects", files.objects},
                          {".ids", files.ids},
                          {".array_data", Bytes(8, 0x22)},
                          {".array_fixup", fixups({0, 0, 4, c.offsetInObjects, 4, 4})}});
        const trellin_test::ManagerUse use;
        {
            Array<trellin_test::IndexRecord> loaded;
            Array<HashString> ids;
            ASSERT_EQ(StaticObjectLoader::loadObjects(loaded, stem, 0), 2);
            EXPECT_EQ(StaticObjectLoader::loadRemaining(ids, loaded, stem, 0), c.loads);
            EXPECT_EQ(loaded[1].indices.size(), c.loads ? 2u : 0u);
        }
        EXPECT_TRUE(use.unchanged());
    }
}

TEST_F(StaticObjectLoaderTest, ObjectsFileShorterThanARecord) {
    dir.write("Short/Set.objects", std::string(10, 'x'));
    Array<SurfaceRecord> loaded;
    EXPECT_EQ(StaticObjectLoader::loadObjects(loaded, "Short/Set", 0), 0);
    EXPECT_EQ(StaticObjectLoader::loadObjects(loaded, "Missing/Set", 0),
              StaticObjectLoader::LOAD_MISSING);
    EXPECT_TRUE(loaded.empty());
}
