#include "core/thread/LightMutex.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(LightMutexTest, ReportsRelockAndForeignUnlockInsteadOfHanging) {
    orvo::LightMutex mutex("test");
    EXPECT_STREQ(mutex.getName(), "test");
    EXPECT_TRUE(mutex.lock());
    EXPECT_FALSE(mutex.lock());
    bool foreignUnlock = true;
    std::thread other([&] { foreignUnlock = mutex.unlock(); });
    other.join();
    EXPECT_FALSE(foreignUnlock);
    EXPECT_TRUE(mutex.unlock());
    EXPECT_FALSE(mutex.unlock());
}

}  // namespace
