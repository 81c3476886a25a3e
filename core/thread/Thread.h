#pragma once

#include <pthread.h>

#include <atomic>

#include "core/thread/Runnable.h"

namespace orvo {

// A named, joinable POSIX thread that runs a Runnable from its construction on.
//
// The requested stack size and FIFO priority are tried first; when the platform refuses them
// (a stack below its minimum, or real-time scheduling for an unprivileged process) the thread
// runs with the default stack and the inherited scheduling instead. A thread that could not be
// created is never joined.
class Thread {
public:
    // A priority of 0 inherits the creator's scheduling.
    Thread(const char* name, Runnable& runnable, int priority, unsigned int stackSize);
    // Sets the cancel flag and waits for the thread to end.
    ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Sets the cancel flag and waits for the thread to end (a runnable that waits on a
    // condition must be woken by its owner first).
    void requestCancel();
    // Only sets the cancel flag.
    void setCancelRequested() { cancelRequested_.store(true); }
    bool cancelRequested() const { return cancelRequested_.load(); }

    // True when the thread runs with the requested FIFO scheduling.
    bool usesFifoScheduling() const { return fifoScheduling_; }
    const char* getName() const { return name_; }

private:
    static void* threadFunction(void* thread);
    void join();

    const char* name_;
    Runnable& runnable_;
    unsigned int stackSize_;
    int priority_;
    std::atomic<bool> cancelRequested_;
    pthread_t thread_;
    pthread_attr_t attribute_;
    bool joinable_;
    bool fifoScheduling_;
};

}  // namespace orvo
