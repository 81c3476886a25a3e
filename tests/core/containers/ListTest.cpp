#include "core/containers/List.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/core/memory/FilledAllocator.h"

namespace {

using orvo::List;

std::vector<std::string> items(const List<std::string>& list) {
    std::vector<std::string> out;
    for (auto it = list.begin(); it != list.end(); ++it) out.push_back(*it);
    return out;
}

List<std::string> make(std::initializer_list<const char*> texts) {
    List<std::string> list;
    for (const char* t : texts) list.pushBack(t);
    return list;
}

TEST(List, RemoveKeepsOrderAndIndex) {
    List<std::string> list = make({"a", "b", "c", "d"});
    // Removing the head returns the second node, which becomes the head.
    auto next = list.remove(list.begin());
    EXPECT_EQ(*next, "b");
    EXPECT_EQ(*list.begin(), "b");
    // "b"'s index slot was 1; the last-added node fills removed slots and is still found.
    list.remove(list.begin());
    EXPECT_EQ(items(list), (std::vector<std::string>{"c", "d"}));
    EXPECT_EQ(*(list.end() - 1), "d");
    EXPECT_EQ(*(list.end() - 2), "c");
    list.remove(list.end() - 1);
    list.remove(list.begin());
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.begin(), list.end());
    list.pushBack("e");
    EXPECT_EQ(items(list), (std::vector<std::string>{"e"}));
}

TEST(List, RemoveEndIsNoOp) {
    List<std::string> list = make({"a"});
    EXPECT_EQ(list.remove(list.end()), list.end());
    EXPECT_EQ(items(list), (std::vector<std::string>{"a"}));
}

TEST(List, StepOperator) {
    List<std::string> list = make({"a", "b", "c"});
    auto first = list.begin();
    EXPECT_EQ(*(first - -2), "c");
    EXPECT_EQ(first - 0, first);
    EXPECT_EQ(*(list.end() - 3), "a");
}

TEST(List, WithoutAnEndNodeNothingIsAdded) {
    if (!trellin_test::OPERATORS_REPLACED) {
        GTEST_SKIP() << "categorised forms use the standard heap in this build";
    }
    // The end node is 32 bytes: with category 0's allocators for it full, the list has none.
    std::vector<std::unique_ptr<trellin_test::FilledAllocator>> full;
    for (int index = 3; index <= 10; ++index) {
        full.push_back(std::make_unique<trellin_test::FilledAllocator>(index));
    }
    List<int> list;
    full.clear();
    EXPECT_FALSE(list.pushBack(1));
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.begin(), list.end());
    list.clear();
}

TEST(List, CopiesOwnTheirNodes) {
    List<std::string> original = make({"x", "y"});
    List<std::string> copy(original);
    List<std::string> assigned;
    assigned.pushBack("old");
    assigned = original;
    original.clear();
    EXPECT_TRUE(original.empty());
    EXPECT_EQ(items(copy), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(items(assigned), (std::vector<std::string>{"x", "y"}));
    original.pushBack("z");
    EXPECT_EQ(items(original), (std::vector<std::string>{"z"}));
}

}  // namespace
