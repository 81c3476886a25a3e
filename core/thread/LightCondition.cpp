#include "core/thread/LightCondition.h"

#include "core/thread/LightMutex.h"

namespace orvo {

LightCondition::LightCondition(LightMutex& mutex, const char* name)
    : name_(name), mutex_(mutex.getMutex()) {
    pthread_cond_init(&condition_, nullptr);
}

LightCondition::~LightCondition() { pthread_cond_destroy(&condition_); }

void LightCondition::wait() { pthread_cond_wait(&condition_, mutex_); }

void LightCondition::signal() { pthread_cond_signal(&condition_); }

void LightCondition::broadcast() { pthread_cond_broadcast(&condition_); }

}  // namespace orvo
