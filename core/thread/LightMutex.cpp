#include "core/thread/LightMutex.h"

#include <cerrno>

namespace orvo {

LightMutex::LightMutex(const char* name) : name_(name) {
    pthread_mutexattr_init(&attribute_);
    pthread_mutexattr_settype(&attribute_, PTHREAD_MUTEX_ERRORCHECK);
    pthread_mutex_init(&mutex_, &attribute_);
}

LightMutex::~LightMutex() {
    pthread_mutex_destroy(&mutex_);
    pthread_mutexattr_destroy(&attribute_);
}

bool LightMutex::lock() {
    const int result = pthread_mutex_lock(&mutex_);
    return result != EINVAL && result != EDEADLK;
}

bool LightMutex::unlock() {
    const int result = pthread_mutex_unlock(&mutex_);
    return result != EINVAL && result != EPERM;
}

}  // namespace orvo
