#include <gtest/gtest.h>

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <thread>

#include "core/thread/Thread.h"

namespace orvo {
namespace {

// Counts its runs, notes the scheduling its thread got and idles until the thread is cancelled
// (sleeping, so that a thread that did get real-time scheduling cannot starve the test).
class CountingRunnable : public Runnable {
public:
    void run(Thread& thread) override {
        int ownPolicy = -1;
        sched_param parameter = {};
        pthread_getschedparam(pthread_self(), &ownPolicy, &parameter);
        policy = ownPolicy;
        priority = parameter.sched_priority;
        runs.fetch_add(1);
        while (!thread.cancelRequested()) {
            usleep(100);
        }
    }

    // False when the thread has not run within a few seconds (it was never created).
    bool waitForRun() const {
        for (int i = 0; i < 50000 && runs.load() == 0; ++i) {
            usleep(100);
        }
        return runs.load() != 0;
    }

    std::atomic<int> runs{0};
    std::atomic<int> policy{-1};
    std::atomic<int> priority{-1};
};

// Whether this process may start FIFO threads, asked of the platform directly.
bool fifoPermitted() {
    pthread_attr_t attribute;
    pthread_attr_init(&attribute);
    pthread_attr_setinheritsched(&attribute, PTHREAD_EXPLICIT_SCHED);
    pthread_attr_setschedpolicy(&attribute, SCHED_FIFO);
    sched_param parameter = {};
    parameter.sched_priority = sched_get_priority_min(SCHED_FIFO);
    pthread_attr_setschedparam(&attribute, &parameter);
    pthread_t probe;
    const bool permitted =
        pthread_create(
            &probe, &attribute, [](void*) -> void* { return nullptr; }, nullptr) == 0;
    if (permitted) {
        pthread_join(probe, nullptr);
    }
    pthread_attr_destroy(&attribute);
    return permitted;
}

// Gives up real-time scheduling for good, as an ordinary process is, then starts a thread with
// a stack below the platform minimum and FIFO priority: both are refused, yet it must run. Exits
// with the number of faults seen.
[[noreturn]] void startRefusedThread() {
    const rlimit none = {0, 0};
    if (setrlimit(RLIMIT_RTPRIO, &none) != 0 || (geteuid() == 0 && setuid(65534) != 0)) {
        std::_Exit(100);
    }
    int failures = 0;
    CountingRunnable runnable;
    {
        Thread thread("JobberThread", runnable, 10, 256);
        failures += !runnable.waitForRun();
        failures += thread.usesFifoScheduling();
        failures += runnable.policy != SCHED_OTHER;
        thread.requestCancel();
        failures += !thread.cancelRequested();
    }  // the destructor must not join a second time
    failures += runnable.runs != 1;
    std::_Exit(failures);
}

// In a child process, since the privileges cannot be taken back.
TEST(ThreadDeathTest, RefusedStackAndSchedulingFallBackToTheDefaults) {
    EXPECT_EXIT(startRefusedThread(), ::testing::ExitedWithCode(0), "");
}

TEST(ThreadTest, GrantedFifoSchedulingIsClampedToThePolicysRange) {
    if (!fifoPermitted()) {
        GTEST_SKIP() << "this process may not use real-time scheduling";
    }
    const int highest = sched_get_priority_max(SCHED_FIFO);
    for (int requested : {10, highest + 50}) {
        CountingRunnable runnable;
        Thread thread("fifo", runnable, requested, 0);
        ASSERT_TRUE(runnable.waitForRun());
        EXPECT_TRUE(thread.usesFifoScheduling());
        EXPECT_EQ(runnable.policy, SCHED_FIFO);
        EXPECT_EQ(runnable.priority, std::min(requested, highest));
        thread.requestCancel();
    }
}

TEST(ThreadTest, PriorityZeroInheritsTheScheduling) {
    // Made from a thread with a scheduling of its own: explicit scheduling of any kind would
    // show as another policy in the new thread.
    int policy = -1;
    bool fifo = true;
    std::thread creator([&] {
        const sched_param batch = {};
        if (pthread_setschedparam(pthread_self(), SCHED_BATCH, &batch) != 0) {
            return;
        }
        CountingRunnable runnable;
        Thread thread("plain", runnable, 0, 0);
        if (runnable.waitForRun()) {
            policy = runnable.policy;
        }
        fifo = thread.usesFifoScheduling();
    });
    creator.join();
    EXPECT_EQ(policy, SCHED_BATCH);
    EXPECT_FALSE(fifo);
}

}  // namespace
}  // namespace orvo
