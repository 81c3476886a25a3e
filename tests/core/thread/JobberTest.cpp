#include <gtest/gtest.h>

#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/thread/Jobber.h"

namespace orvo {
namespace {

pid_t threadId() { return static_cast<pid_t>(syscall(SYS_gettid)); }

// The kernel's state letter of one of this process's threads ('S' while it sleeps, as in a
// join), or 0 once the thread has ended.
char threadState(pid_t id) {
    std::ifstream stat("/proc/self/task/" + std::to_string(id) + "/stat");
    std::string line;
    if (!std::getline(stat, line) || line.rfind(')') == std::string::npos) {
        return 0;
    }
    return line[line.rfind(')') + 2];
}

// Polls until the condition holds; false after about ten seconds.
template <class Condition>
bool waitUntil(Condition condition) {
    for (int i = 0; i < 100000; ++i) {
        if (condition()) {
            return true;
        }
        usleep(100);
    }
    return false;
}

// What the jobs of one test record, under its own lock.
class Journal {
public:
    void started(int id) {
        std::lock_guard<std::mutex> guard(mutex_);
        started_.push_back(id);
        threads_.push_back(threadId());
        changed_.notify_all();
    }
    void waitForStarts(std::size_t count) {
        std::unique_lock<std::mutex> guard(mutex_);
        changed_.wait(guard, [&] { return started_.size() >= count; });
    }
    void release(int id) {
        std::lock_guard<std::mutex> guard(mutex_);
        released_.push_back(id);
        changed_.notify_all();
    }
    void waitForRelease(int id) {
        std::unique_lock<std::mutex> guard(mutex_);
        changed_.wait(guard, [&] {
            for (int r : released_) {
                if (r == id) {
                    return true;
                }
            }
            return false;
        });
    }
    std::vector<int> started() {
        std::lock_guard<std::mutex> guard(mutex_);
        return started_;
    }
    // The thread ids of the started jobs, in start order.
    std::vector<pid_t> threads() {
        std::lock_guard<std::mutex> guard(mutex_);
        return threads_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int> started_;
    std::vector<pid_t> threads_;
    std::vector<int> released_;
};

// Records its start, then blocks until the test releases it (when it is a blocking job).
class RecordingJob : public Job {
public:
    RecordingJob(Journal& journal, int id, bool blocks)
        : journal_(journal), id_(id), blocks_(blocks) {}
    void execute() override {
        journal_.started(id_);
        if (blocks_) {
            journal_.waitForRelease(id_);
        }
    }
    void cancel() override {}

private:
    Journal& journal_;
    int id_;
    bool blocks_;
};

boost::shared_ptr<Job> job(Journal& journal, int id, bool blocks = false) {
    return boost::shared_ptr<Job>(new RecordingJob(journal, id, blocks));
}

TEST(JobberTest, WorkersTakeJobsInSubmissionOrder) {
    Journal journal;
    Jobber jobber;
    // Queued before the workers exist.
    jobber.addJob(job(journal, 1, true));
    jobber.addJob(job(journal, 2, true));
    jobber.addJob(job(journal, 3, true));
    jobber.addJob(job(journal, 4, false));
    jobber.start();

    // Two workers: the first two jobs start, the third waits for a free worker.
    journal.waitForStarts(2);
    std::vector<int> started = journal.started();
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0] + started[1], 3);  // jobs 1 and 2, in either order

    // The worker freed by job 1 takes job 3, not job 4.
    journal.release(1);
    journal.waitForStarts(3);
    EXPECT_EQ(journal.started()[2], 3);

    journal.release(2);
    journal.waitForStarts(4);
    EXPECT_EQ(journal.started()[3], 4);
    journal.release(3);

    // Every job ran on one of the two workers, never on the caller's thread.
    for (pid_t id : journal.threads()) {
        EXPECT_NE(id, threadId());
    }
}

TEST(JobberTest, DestructionStopsEveryWorkerBeforeJoiningAny) {
    if (threadState(threadId()) == 0) {
        GTEST_SKIP() << "thread states cannot be read here";
    }
    Journal journal;
    Jobber* jobber = new Jobber();
    jobber->addJob(job(journal, 1, true));
    jobber->addJob(job(journal, 2, true));
    jobber->addJob(job(journal, 3));
    jobber->start();
    journal.waitForStarts(2);
    const std::vector<int> started = journal.started();
    const std::vector<pid_t> workers = journal.threads();

    std::atomic<pid_t> destroyerId{0};
    std::thread destroyer([&] {
        destroyerId = threadId();
        delete jobber;
    });
    // Asleep: the destructor is joining a worker, so both may have been told to stop by now.
    const bool joining =
        waitUntil([&] { return destroyerId != 0 && threadState(destroyerId) == 'S'; });
    // The workers were made in order, so the later one has the higher id; a destructor that
    // stops and joins one worker at a time joins the earlier first. The later worker's job ends
    // first: once it has, the worker has either left or taken job 3.
    const std::size_t later = workers[0] > workers[1] ? 0 : 1;
    journal.release(started[later]);
    waitUntil([&] { return journal.started().size() > 2 || threadState(workers[later]) == 0; });
    journal.release(started[1 - later]);
    destroyer.join();
    EXPECT_TRUE(joining);
    EXPECT_EQ(journal.started().size(), 2u);
}

TEST(JobberTest, StopsIdleWorkersAndReleasesQueuedJobs) {
    Journal journal;
    {
        Jobber jobber;
        jobber.start();
        jobber.start();  // only once
    }                    // both workers wait on the condition; destruction must wake and join them

    boost::shared_ptr<Job> queued = job(journal, 7);
    {
        Jobber jobber;
        jobber.addJob(queued);
        EXPECT_EQ(queued.use_count(), 2);
    }
    EXPECT_EQ(queued.use_count(), 1);
    EXPECT_TRUE(journal.started().empty());
}

TEST(JobberTest, RegistersAsAService) {
    Jobber* jobber = Locator::registerService<Jobber>("Jobber");
    ASSERT_NE(jobber, nullptr);
    EXPECT_EQ(Jobber::instance_, jobber);
    jobber->start();
    Journal journal;
    jobber->addJob(job(journal, 1));
    journal.waitForStarts(1);
    Locator::deregisterService<Jobber>();
    EXPECT_EQ(Jobber::instance_, nullptr);
}

}  // namespace
}  // namespace orvo
