#include "core/thread/Thread.h"

#include <errno.h>
#include <sched.h>

namespace orvo {

Thread::Thread(const char* name, Runnable& runnable, int priority, unsigned int stackSize)
    : name_(name),
      runnable_(runnable),
      stackSize_(stackSize),
      priority_(priority),
      cancelRequested_(false),
      thread_(),
      attribute_(),
      joinable_(false),
      fifoScheduling_(false) {
    pthread_attr_init(&attribute_);
    pthread_attr_setdetachstate(&attribute_, PTHREAD_CREATE_JOINABLE);
    // A size below the platform's minimum is refused (EINVAL); the default stack then applies.
    pthread_attr_setstacksize(&attribute_, stackSize_);
    bool explicitScheduling = false;
    if (priority_ != 0 && pthread_attr_setschedpolicy(&attribute_, SCHED_FIFO) == 0) {
        const int lowest = sched_get_priority_min(SCHED_FIFO);
        const int highest = sched_get_priority_max(SCHED_FIFO);
        sched_param parameter = {};
        parameter.sched_priority =
            priority_ < lowest ? lowest : (priority_ > highest ? highest : priority_);
        pthread_attr_setschedparam(&attribute_, &parameter);
        explicitScheduling = pthread_attr_setinheritsched(&attribute_, PTHREAD_EXPLICIT_SCHED) == 0;
    }
    int result = pthread_create(&thread_, &attribute_, threadFunction, this);
    if (result == EPERM && explicitScheduling) {
        // Real-time scheduling is refused to an unprivileged process: inherit the creator's.
        pthread_attr_setinheritsched(&attribute_, PTHREAD_INHERIT_SCHED);
        explicitScheduling = false;
        result = pthread_create(&thread_, &attribute_, threadFunction, this);
    }
    joinable_ = result == 0;
    fifoScheduling_ = joinable_ && explicitScheduling;
}

Thread::~Thread() {
    setCancelRequested();
    join();
    pthread_attr_destroy(&attribute_);
}

void Thread::requestCancel() {
    setCancelRequested();
    join();
}

void Thread::join() {
    if (joinable_) {
        pthread_join(thread_, nullptr);
        joinable_ = false;
    }
}

void* Thread::threadFunction(void* thread) {
    Thread* self = static_cast<Thread*>(thread);
    self->runnable_.run(*self);
    return nullptr;
}

}  // namespace orvo
