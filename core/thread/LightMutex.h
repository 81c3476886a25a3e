#pragma once

#include <pthread.h>

namespace orvo {

// A named POSIX mutex. The engine never locks a mutex it already holds, so the mutex is
// error-checking (PTHREAD_MUTEX_ERRORCHECK, glibc value 2): a relock by the holder is reported
// as a failed lock instead of hanging the thread.
class LightMutex {
public:
    // The name is kept for diagnostics only; it must outlive the mutex.
    explicit LightMutex(const char* name);
    ~LightMutex();
    LightMutex(const LightMutex&) = delete;
    LightMutex& operator=(const LightMutex&) = delete;

    // False only when the platform reports an invalid mutex or a deadlock.
    bool lock();
    // False only when the mutex is invalid or not held by the caller.
    bool unlock();

    const char* getName() const { return name_; }
    // The POSIX mutex, for the condition variables that wait on it.
    pthread_mutex_t* getMutex() { return &mutex_; }

private:
    const char* name_;
    pthread_mutex_t mutex_;
    pthread_mutexattr_t attribute_;
};

}  // namespace orvo
