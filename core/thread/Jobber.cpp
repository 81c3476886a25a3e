#include "core/thread/Jobber.h"

#include <boost/core/null_deleter.hpp>

#include "core/memory/ZequinAllocation.h"

namespace orvo {

namespace {

// Both are requests. The stack size is below the platform's minimum, so the default stack
// applies; an ordinary process is refused FIFO scheduling, so its workers inherit the main
// thread's. A privileged process gets FIFO priority 10, ahead of the main thread's ordinary
// scheduling: that is kept so that work the engine hands off (such as refilling the sound
// output) is never held up behind a frame, and it is why a job must stay short, since a long
// one on a FIFO worker can starve the main thread.
constexpr int WORKER_PRIORITY = 10;
constexpr unsigned int WORKER_STACK_SIZE = 256;

}  // namespace

Jobber::Jobber() : jobMutex_("jobQMtx"), jobCondition_(jobMutex_, "jobQCdn") {
    threads_.reserve(WORKER_COUNT);
}

Jobber::~Jobber() {
    Thread* workers[WORKER_COUNT];
    std::size_t count = 0;
    for (boost::shared_ptr<Thread>& worker : threads_) {
        workers[count++] = worker.get();
    }
    stopWorkers(workers, count);
    jobMutex_.lock();
    jobs_.clear();
    jobMutex_.unlock();
    // The workers' pointers do not own them: they are freed here.
    for (boost::shared_ptr<Thread>& worker : threads_) {
        delete worker.get();
    }
    threads_.clear();
}

void Jobber::start() {
    if (!threads_.empty()) {
        return;
    }
    for (int i = 0; i < WORKER_COUNT; ++i) {
        Thread* worker = new (0, ZequinAllocation)
            Thread("JobberThread", *this, WORKER_PRIORITY, WORKER_STACK_SIZE);
        if (worker == nullptr) {
            continue;
        }
        if (!threads_.pushBack(boost::shared_ptr<Thread>(worker, boost::null_deleter()))) {
            stopWorkers(&worker, 1);
            delete worker;
        }
    }
}

void Jobber::addJob(boost::shared_ptr<Job> job) {
    jobMutex_.lock();
    jobs_.pushBack(job);
    jobCondition_.signal();
    jobMutex_.unlock();
}

void Jobber::run(Thread& thread) {
    while (!thread.cancelRequested()) {
        boost::shared_ptr<Job> job = requestJob(thread);
        if (job) {
            job->execute();
        }
    }
}

boost::shared_ptr<Job> Jobber::requestJob(Thread& thread) {
    boost::shared_ptr<Job> job;
    jobMutex_.lock();
    while (!thread.cancelRequested() && jobs_.empty()) {
        jobCondition_.wait();
    }
    if (!thread.cancelRequested()) {
        job = *jobs_.begin();
        jobs_.remove(jobs_.begin());
    }
    jobMutex_.unlock();
    return job;
}

// Every flag is set before any worker is joined, or a worker still running while another is
// joined would go on taking queued jobs. The flags are set and the waiters woken under the job
// mutex, so that no worker can miss the wake-up between testing its flag and starting to wait.
void Jobber::stopWorkers(Thread* const* workers, std::size_t count) {
    jobMutex_.lock();
    for (std::size_t i = 0; i < count; ++i) {
        workers[i]->setCancelRequested();
    }
    jobCondition_.broadcast();
    jobMutex_.unlock();
    for (std::size_t i = 0; i < count; ++i) {
        workers[i]->requestCancel();
    }
}

}  // namespace orvo
