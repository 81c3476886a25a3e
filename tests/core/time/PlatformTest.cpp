#include <gtest/gtest.h>

#include "core/time/Platform.h"

namespace orvo {
namespace {

TEST(PlatformTest, MemoryHelpersTakeTheSourceFirst) {
    const char source[] = "abcdef";
    char destination[7] = "xxxxxx";
    Platform::copyMemory(source, destination, 3, false);
    EXPECT_STREQ(destination, "abcxxx");
    EXPECT_TRUE(Platform::compareMemory(source, destination, 3));
    EXPECT_FALSE(Platform::compareMemory(source, destination, 4));
    Platform::clearMemory(destination, 2, true);
    EXPECT_EQ(destination[0], '\0');
    EXPECT_EQ(destination[1], '\0');
    EXPECT_EQ(destination[2], 'c');
    Platform::flushMemoryFromCache(destination, 7);
}

}  // namespace
}  // namespace orvo
