#include <gtest/gtest.h>

#include <vector>

#include "core/data/DynamicDataManager.h"
#include "core/data/StaticDataManager.h"
#include "core/data/StaticObjectLoader.h"
#include "tests/core/data/TestRecords.h"
#include "tests/core/file/ManagerUse.h"
#include "tests/core/file/TempDirectory.h"
#include "tools/datawriter/StaticObjectWriter.h"

using namespace orvo;
using trellin_test::SurfaceRecord;

namespace {

struct Item {
    int value = 0;
};

// Counts the records that removeGroup hands to the hook, like a texture manager deleting
// its GL textures.
class CountingManager : public StaticDataManager<Item>, public DynamicDataManager<Item> {
public:
    void processOnRemove(Item& item) override { removed.push_back(item.value); }
    std::vector<int> removed;
};

typedef DataManagerCommon<Item>::DataStore Store;

Array<Item> items(std::initializer_list<int> values) {
    Array<Item> a;
    for (int v : values) {
        a.pushBack(Item{v});
    }
    return a;
}

Array<HashString> ids(std::initializer_list<uint32_t> hashes) {
    Array<HashString> a;
    for (uint32_t h : hashes) {
        a.pushBack(HashString::fromHash(h));
    }
    return a;
}

class DataManagerTest : public ::testing::Test {
protected:
    bool add(const char* group, std::initializer_list<uint32_t> names,
             std::initializer_list<int> values) {
        Array<Item> its = items(values);
        return manager.StaticDataManager<Item>::createGroup(store(), group) &&
               manager.StaticDataManager<Item>::insertGroup(store(), group, ids(names), its);
    }
    bool remove(const char* group) {
        return manager.StaticDataManager<Item>::removeGroup(store(), group);
    }
    int valueOf(uint32_t id) {
        boost::shared_ptr<Item> item = manager.getStatic(HashString::fromHash(id));
        return item ? item->value : -1;
    }
    Store& store() { return manager.getStaticStore(); }

    CountingManager manager;
};

}  // namespace

TEST_F(DataManagerTest, IdsCompareUnsigned) {
    ASSERT_TRUE(add("g", {0x80000000u, 0x7FFFFFFFu, 5u}, {1, 2, 3}));
    EXPECT_EQ(valueOf(0x80000000u), 1);
    EXPECT_EQ(valueOf(0x7FFFFFFFu), 2);
    EXPECT_EQ(valueOf(5u), 3);
    EXPECT_EQ(store().index[2].id.getHash(), 0x80000000u);
    EXPECT_FALSE(manager.staticExists(HashString::fromHash(6)));
    EXPECT_FALSE(manager.getStatic(HashString::fromHash(6)));
}

TEST_F(DataManagerTest, RemovingGroupsKeepsTheOthersFound) {
    ASSERT_TRUE(add("one", {10, 11}, {10, 11}));
    ASSERT_TRUE(add("two", {20}, {20}));
    ASSERT_TRUE(add("three", {30, 31, 32}, {30, 31, 32}));
    ASSERT_TRUE(remove("one"));
    EXPECT_EQ(manager.removed, (std::vector<int>{10, 11}));
    EXPECT_EQ(valueOf(10), -1);
    EXPECT_EQ(valueOf(20), 20);
    EXPECT_EQ(valueOf(32), 32);
    ASSERT_EQ(store().groupNames.size(), 2u);
    for (std::size_t g = 0; g < 2; ++g) {
        const int first = (*store().groupItems[g])[0].value;
        EXPECT_EQ(store().groupNames[g], HashString(first == 20 ? "two" : "three"));
    }
    ASSERT_TRUE(remove("two"));
    ASSERT_TRUE(remove("three"));
    EXPECT_EQ(manager.removed.size(), 6u);
    EXPECT_EQ(store().groupNames.capacity(), 0u);
    EXPECT_EQ(store().groupItems.capacity(), 0u);
    EXPECT_EQ(store().index.capacity(), 0u);
}

TEST_F(DataManagerTest, RefusedOperationsChangeNothing) {
    ASSERT_TRUE(manager.StaticDataManager<Item>::createGroup(store(), "g"));
    EXPECT_FALSE(manager.StaticDataManager<Item>::createGroup(store(), "g"));
    Array<Item> two = items({1, 2});
    EXPECT_FALSE(manager.StaticDataManager<Item>::insertGroup(store(), "g", ids({1, 2, 3}), two));
    EXPECT_TRUE(store().groupItems[0]->empty());
    EXPECT_FALSE(manager.StaticDataManager<Item>::insertGroup(store(), "absent", ids({1, 2}), two));
    ASSERT_TRUE(manager.StaticDataManager<Item>::insertGroup(store(), "g", ids({1, 2}), two));
    // A second insert would destroy records that the index still hands out.
    Array<Item> more = items({3});
    EXPECT_FALSE(manager.StaticDataManager<Item>::insertGroup(store(), "g", ids({3}), more));
    EXPECT_EQ(valueOf(1), 1);
    EXPECT_FALSE(remove("absent"));
    EXPECT_TRUE(manager.removed.empty());
}

// Groups left in place are freed by the manager's destructor.
TEST(DataManagerStores, SeparateAndReleasedWithTheManager) {
    const trellin_test::ManagerUse use;
    {
        CountingManager manager;
        Array<Item> dynamic = items({7});
        Array<Item> loaded = items({8});
        Store& other = manager.getDynamicStore();
        ASSERT_TRUE(manager.DynamicDataManager<Item>::createGroup(other, "d"));
        ASSERT_TRUE(manager.DynamicDataManager<Item>::insertGroup(other, "d", ids({7}), dynamic));
        EXPECT_FALSE(manager.staticExists(HashString::fromHash(7)));
        ASSERT_TRUE(manager.StaticDataManager<Item>::createGroup(manager.getStaticStore(), "s"));
        ASSERT_TRUE(manager.StaticDataManager<Item>::insertGroup(manager.getStaticStore(), "s",
                                                                 ids({8}), loaded));
        EXPECT_TRUE(manager.staticExists(HashString::fromHash(8)));
    }
    EXPECT_TRUE(use.unchanged());
}

// The teardown order of a manager's owner: groups removed before the manager goes reach the
// remove hook (where a texture manager deletes its GL textures); groups still present when it
// goes are freed without the hook.
TEST(DataManagerStores, OwnersRemoveTheirGroupsBeforeTheManagerGoes) {
    class Recording : public StaticDataManager<Item> {
    public:
        explicit Recording(std::vector<int>* seen) : seen_(seen) {}
        void processOnRemove(Item& item) override { seen_->push_back(item.value); }

    private:
        std::vector<int>* seen_;
    };
    std::vector<int> seen;
    seen.reserve(4);
    const trellin_test::ManagerUse use;
    for (bool removeFirst : {true, false}) {
        Recording manager(&seen);
        for (const char* group : {"a", "b"}) {
            Array<Item> its = items({group[0] == 'a' ? 1 : 2});
            ASSERT_TRUE(manager.createGroup(manager.getStaticStore(), group));
            ASSERT_TRUE(manager.insertGroup(manager.getStaticStore(), group,
                                            ids({uint32_t(group[0])}), its));
        }
        for (const char* group : {"b", "a"}) {
            if (removeFirst) {
                EXPECT_TRUE(manager.removeGroup(manager.getStaticStore(), group));
            }
        }
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 1}));
    EXPECT_TRUE(use.unchanged());
}

// A group loaded from writer-made files is found by name and released by group.
TEST(DataManagerLoading, GroupFromStaticObjectFiles) {
    trellin_test::TempDirectory dir;
    FileBase::setRootPath(dir.path().c_str());
    std::vector<SurfaceRecord> made(2);
    made[0].level = 4;
    made[1].level = 5;
    made[1].names.pushBack(HashString("lane"));
    trellin::StaticObjectFiles files;
    std::string error;
    ASSERT_TRUE(
        trellin::buildStaticObjects({"straight_0", "straight_1"}, made.data(), 2, files, error));
    ASSERT_TRUE(trellin::writeStaticObjects(dir / "Tiles/Surface", files, error));

    StaticDataManager<SurfaceRecord> manager;
    StaticDataManager<SurfaceRecord>::DataStore& store = manager.getStaticStore();
    Array<SurfaceRecord> loaded;
    Array<HashString> names;
    ASSERT_EQ(StaticObjectLoader::loadObjects(loaded, "Tiles/Surface", 0), 2);
    ASSERT_TRUE(StaticObjectLoader::loadRemaining(names, loaded, "Tiles/Surface", 0));
    ASSERT_TRUE(manager.createGroup(store, "TILES"));
    ASSERT_TRUE(manager.insertGroup(store, "TILES", names, loaded));
    boost::shared_ptr<SurfaceRecord> second = manager.getStatic("straight_1");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->level, 5);
    ASSERT_EQ(second->names.size(), 1u);
    EXPECT_EQ(second->names[0], HashString("lane"));
    EXPECT_EQ(manager.getStatic("straight_0")->level, 4);
    EXPECT_TRUE(manager.removeGroup(store, "TILES"));
    EXPECT_FALSE(manager.staticExists("straight_1"));
}
