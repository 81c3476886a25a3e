#pragma once

#include <pthread.h>

namespace orvo {

class LightMutex;

// A named POSIX condition variable bound to one LightMutex.
class LightCondition {
public:
    LightCondition(LightMutex& mutex, const char* name);
    ~LightCondition();
    LightCondition(const LightCondition&) = delete;
    LightCondition& operator=(const LightCondition&) = delete;

    // With the mutex held: releases it while waiting and holds it again on return. Wake-ups may
    // be spurious; callers test their condition again.
    void wait();
    // Wakes one waiter.
    void signal();
    // Wakes every waiter.
    void broadcast();

    const char* getName() const { return name_; }

private:
    const char* name_;
    pthread_mutex_t* mutex_;
    pthread_cond_t condition_;
};

}  // namespace orvo
