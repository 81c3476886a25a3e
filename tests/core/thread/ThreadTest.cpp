#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>

#include "core/thread/Thread.h"

namespace orvo {
namespace {

// Counts its runs and idles until its thread is cancelled (sleeping, so that a thread that did
// get real-time scheduling cannot starve the test).
class CountingRunnable : public Runnable {
public:
    void run(Thread& thread) override {
        runs.fetch_add(1);
        while (!thread.cancelRequested()) {
            usleep(100);
        }
    }
    std::atomic<int> runs{0};
};

TEST(ThreadTest, RefusedStackAndSchedulingFallBackToTheDefaults) {
    // 256 bytes is below the platform minimum and FIFO scheduling needs privileges: the thread
    // must still run.
    CountingRunnable runnable;
    {
        Thread thread("JobberThread", runnable, 10, 256);
        while (runnable.runs.load() == 0) {
            usleep(100);
        }
        EXPECT_STREQ(thread.getName(), "JobberThread");
        thread.requestCancel();
        EXPECT_TRUE(thread.cancelRequested());
    }  // the destructor must not join a second time
    EXPECT_EQ(runnable.runs.load(), 1);
}

TEST(ThreadTest, PriorityZeroInheritsTheScheduling) {
    CountingRunnable runnable;
    Thread thread("plain", runnable, 0, 0);
    EXPECT_FALSE(thread.usesFifoScheduling());
    thread.requestCancel();
    EXPECT_EQ(runnable.runs.load(), 1);
}

}  // namespace
}  // namespace orvo
