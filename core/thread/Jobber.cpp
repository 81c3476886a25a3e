#include "core/thread/Jobber.h"

#include <boost/core/null_deleter.hpp>

#include "core/memory/ZequinAllocation.h"

namespace orvo {

namespace {

// Both are requests: this platform refuses them to an ordinary process, and the workers then
// run with the default stack and scheduling.
constexpr int WORKER_PRIORITY = 10;
constexpr unsigned int WORKER_STACK_SIZE = 256;

}  // namespace

Jobber::Jobber() : jobMutex_("jobQMtx"), jobCondition_(jobMutex_, "jobQCdn") {
    threads_.reserve(WORKER_COUNT);
}

Jobber::~Jobber() {
    for (boost::shared_ptr<Thread>& worker : threads_) {
        stopWorker(*worker);
    }
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
            stopWorker(*worker);
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

// The flag is set and the waiters woken under the job mutex, so that no worker can miss the
// wake-up between testing the flag and starting to wait.
void Jobber::stopWorker(Thread& worker) {
    jobMutex_.lock();
    worker.setCancelRequested();
    jobCondition_.broadcast();
    jobMutex_.unlock();
    worker.requestCancel();
}

}  // namespace orvo
