#pragma once

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/containers/List.h"
#include "core/locator/ServiceSingleton.h"
#include "core/thread/Job.h"
#include "core/thread/LightCondition.h"
#include "core/thread/LightMutex.h"
#include "core/thread/Runnable.h"
#include "core/thread/Thread.h"

namespace orvo {

// The worker-thread service: two workers take jobs from one first-in-first-out list. Jobs start
// in submission order, but the two workers may run them concurrently and finish in any order.
// Destroying the Jobber stops and joins its workers; jobs still queued are released unexecuted.
class Jobber : public Locator::ServiceSingleton<Jobber>, public Runnable {
public:
    static constexpr int WORKER_COUNT = 2;

    Jobber();
    ~Jobber() override;

    // Starts the workers (once).
    void start();
    // Queues a job and wakes one waiting worker.
    void addJob(boost::shared_ptr<Job> job);

    // A worker's body: takes and executes jobs until the thread is cancelled.
    void run(Thread& thread) override;
    // Waits for a job; an empty pointer once the thread is cancelled.
    boost::shared_ptr<Job> requestJob(Thread& thread);

private:
    // Stops and joins the workers; none takes a job once this begins.
    void stopWorkers(Thread* const* workers, std::size_t count);

    LightMutex jobMutex_;
    LightCondition jobCondition_;
    List<boost::shared_ptr<Job>> jobs_;
    Array<boost::shared_ptr<Thread>> threads_;
};

}  // namespace orvo
