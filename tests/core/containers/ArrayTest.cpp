#include "core/containers/Array.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/containers/HashedArray.h"
#include "core/memory/MemoryManager.h"

namespace {

using orvo::Array;
using orvo::ArrayStorage;

// Counts live objects so that every destroy path is checked.
struct Tracked {
    static int live;
    int value;
    Tracked(int v = 0) : value(v) { ++live; }  // NOLINT: implicit for brevity
    Tracked(const Tracked& other) : value(other.value) { ++live; }
    Tracked& operator=(const Tracked&) = default;
    ~Tracked() { --live; }
};
int Tracked::live = 0;

class ArrayTest : public ::testing::Test {
protected:
    void SetUp() override { Tracked::live = 0; }
    void TearDown() override { EXPECT_EQ(Tracked::live, 0); }
};

std::vector<int> values(const Array<Tracked>& a) {
    std::vector<int> out;
    for (const Tracked& t : a) out.push_back(t.value);
    return out;
}

TEST_F(ArrayTest, GrowsByHalfAgain) {
    Array<Tracked> a;
    std::vector<size_t> capacities;
    for (int i = 0; i < 12; ++i) {
        ASSERT_TRUE(a.pushBack(Tracked(i)));
        if (capacities.empty() || capacities.back() != a.capacity()) {
            capacities.push_back(a.capacity());
        }
    }
    EXPECT_EQ(capacities, (std::vector<size_t>{1, 2, 4, 7, 11, 17}));
    EXPECT_EQ(a.size(), 12u);
    EXPECT_EQ(values(a).back(), 11);
}

TEST_F(ArrayTest, AtPastTheEndYieldsLast) {
    Array<Tracked> a;
    for (int i = 0; i < 3; ++i) a.pushBack(i);
    EXPECT_EQ(a.at(5).value, 2);
    EXPECT_EQ(a.at(1).value, 1);
}

TEST_F(ArrayTest, AppendingOwnElementWhileGrowing) {
    Array<Tracked> a;
    a.pushBack(41);
    a.pushBack(42);  // capacity 2: the next push grows and must copy before freeing
    ASSERT_TRUE(a.pushBack(a.at(0)));
    ASSERT_TRUE(a.resize(9, a.at(1)));
    EXPECT_EQ(values(a), (std::vector<int>{41, 42, 41, 42, 42, 42, 42, 42, 42}));
}

TEST_F(ArrayTest, SelfAssignmentKeepsElements) {
    Array<Tracked> a;
    for (int i = 0; i < 5; ++i) a.pushBack(i);
    Array<Tracked>& alias = a;
    a = alias;
    EXPECT_EQ(values(a), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(ArrayTest, AssignmentReusesExactCapacity) {
    Array<Tracked> source, target;
    for (int i = 0; i < 4; ++i) source.pushBack(i);
    target.reserve(4);
    target.pushBack(9);
    const Tracked* storage = target.begin();
    target = source;
    EXPECT_EQ(target.begin(), storage);
    EXPECT_EQ(values(target), values(source));
    Array<Tracked> empty;
    target = empty;
    EXPECT_EQ(target.begin(), nullptr);
}

TEST_F(ArrayTest, ShrinkReserveResize) {
    Array<Tracked> a(3);
    for (int i = 0; i < 7; ++i) a.pushBack(i);
    ASSERT_TRUE(a.reserve(11));
    a.shrink();
    EXPECT_EQ(a.capacity(), 7u);
    EXPECT_EQ(a.getCategory(), 3);
    EXPECT_EQ(values(a), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));

    EXPECT_FALSE(a.reserve(0));
    EXPECT_FALSE(a.reserve(3));
    EXPECT_TRUE(a.reserve(7));
    EXPECT_EQ(a.capacity(), 7u);

    EXPECT_TRUE(a.resize(2, Tracked(0)));
    EXPECT_EQ(values(a), (std::vector<int>{0, 1}));
    EXPECT_EQ(a.capacity(), 7u);
    a.popBack();
    a.popBack();
    a.popBack();  // empty: left alone
    EXPECT_TRUE(a.empty());
    a.clear();
    EXPECT_EQ(a.getCategory(), 3);
}

TEST_F(ArrayTest, ViewsAreCopiedNeverFreed) {
    Tracked backing[3] = {7, 8, 9};
    {
        Array<Tracked> view = Array<Tracked>::view(backing, 3);
        EXPECT_EQ(view.getCategory(), ArrayStorage::VIEW_CATEGORY);

        Array<Tracked> copy(view);
        EXPECT_EQ(copy.getCategory(), 0);
        EXPECT_NE(copy.begin(), backing);
        EXPECT_EQ(values(copy), (std::vector<int>{7, 8, 9}));

        Array<Tracked> shared;
        shared.acquire(view);  // a view is shared, not taken
        EXPECT_EQ(shared.begin(), backing);
        EXPECT_EQ(view.begin(), backing);

        // Growing a view copies into storage of its own and never frees the view's data.
        ASSERT_TRUE(view.pushBack(10));
        EXPECT_NE(view.begin(), backing);
        EXPECT_EQ(view.getCategory(), 0);
        view.clear();
        shared.clear();
    }
    EXPECT_EQ(backing[0].value, 7);
    EXPECT_EQ(Tracked::live, 3);
}

// Records the order in which elements are destroyed.
struct Ordered {
    static std::vector<int>* destroyed;
    int value;
    ~Ordered() { destroyed->push_back(value); }
};
std::vector<int>* Ordered::destroyed = nullptr;

TEST(ArrayOrder, ClearDestroysFrontToBackTheDestructorBackToFront) {
    std::vector<int> destroyed;
    Ordered::destroyed = &destroyed;
    {
        Array<Ordered> cleared, dropped;
        for (int i = 1; i <= 3; ++i) {
            cleared.pushBack(Ordered{i});
            dropped.pushBack(Ordered{i + 3});
        }
        destroyed.clear();  // the temporaries and the copies made while growing
        cleared.clear();
        EXPECT_EQ(destroyed, (std::vector<int>{1, 2, 3}));
        destroyed.clear();
    }
    EXPECT_EQ(destroyed, (std::vector<int>{6, 5, 4}));
}

// A view's data belongs to someone else: shrinking and refilling it in place would write it.
TEST_F(ArrayTest, ViewsAreCopiedBeforeTheyShrink) {
    Tracked backing[3] = {7, 8, 9};
    {
        Array<Tracked> popped = Array<Tracked>::view(backing, 3);
        popped.popBack();
        ASSERT_TRUE(popped.pushBack(10));
        EXPECT_NE(popped.begin(), backing);
        EXPECT_EQ(popped.getCategory(), 0);
        EXPECT_EQ(values(popped), (std::vector<int>{7, 8, 10}));

        Array<Tracked> resized = Array<Tracked>::view(backing, 3);
        ASSERT_TRUE(resized.resize(1, Tracked(0)));
        ASSERT_TRUE(resized.resize(3, Tracked(11)));
        EXPECT_NE(resized.begin(), backing);
        EXPECT_EQ(values(resized), (std::vector<int>{7, 11, 11}));

        // Same size: nothing to change, so the view stays one.
        Array<Tracked> same = Array<Tracked>::view(backing, 3);
        ASSERT_TRUE(same.resize(3, Tracked(0)));
        EXPECT_EQ(same.begin(), backing);
    }
    EXPECT_EQ(backing[1].value, 8);
    EXPECT_EQ(backing[2].value, 9);
    EXPECT_EQ(Tracked::live, 3);
}

TEST_F(ArrayTest, AcquireReleasesOldStorage) {
    Array<Tracked> source, target(3);
    source.pushBack(1);
    target.pushBack(2);
    target.acquire(source);
    EXPECT_EQ(values(target), (std::vector<int>{1}));
    EXPECT_EQ(target.getCategory(), 3);
    EXPECT_EQ(source.begin(), nullptr);
    EXPECT_EQ(Tracked::live, 1);
}

TEST_F(ArrayTest, LoadedBlockGrowsInDefaultCategory) {
    orvo::MemoryManager* manager = orvo::MemoryManager::instance();
    ASSERT_NE(manager, nullptr);
    auto* block = static_cast<unsigned*>(manager->allocate(2 * sizeof(unsigned), 1, 0));
    ASSERT_NE(block, nullptr);
    block[0] = 5;
    block[1] = 6;
    Array<unsigned> owner;
    owner.adoptBlock(block, 2);
    EXPECT_EQ(owner.getCategory(), ArrayStorage::BLOCK_CATEGORY);
    ASSERT_TRUE(owner.pushBack(7));
    EXPECT_EQ(owner.size(), 3u);
    EXPECT_EQ(owner.at(0), 5u);
    EXPECT_EQ(owner.at(2), 7u);
}

TEST_F(ArrayTest, ExhaustedCategoryLeavesArrayUnchanged) {
    // Category 6 serves blocks of 64 bytes: 17 ints (the growth after 11) do not fit.
    Array<Tracked> a(6);
    static_assert(sizeof(Tracked) == sizeof(int), "");
    for (int i = 0; i < 11; ++i) ASSERT_TRUE(a.pushBack(i));
    const Tracked* storage = a.begin();
    EXPECT_FALSE(a.pushBack(11));
    EXPECT_FALSE(a.reserve(40));
    EXPECT_FALSE(a.resize(40, Tracked(0)));
    EXPECT_EQ(a.begin(), storage);
    EXPECT_EQ(a.size(), 11u);
    EXPECT_EQ(values(a).back(), 10);
}

TEST(HashedArray, FirstPairWithNameWins) {
    orvo::HashedArray<unsigned> pairs;
    ASSERT_TRUE(pairs.pushBack("music", 1));
    ASSERT_TRUE(pairs.pushBack("sound", 2));
    ASSERT_TRUE(pairs.pushBack("music", 3));  // duplicates are not looked for
    EXPECT_EQ(pairs.size(), 3u);
    EXPECT_EQ(pairs.indexOf("music"), 0);
    EXPECT_EQ(pairs.at(pairs.indexOf("sound")).value, 2u);
    EXPECT_EQ(pairs.indexOf("absent"), -1);
}

}  // namespace
