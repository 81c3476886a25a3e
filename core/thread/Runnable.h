#pragma once

namespace orvo {

class Thread;

// The body of a Thread.
class Runnable {
public:
    virtual ~Runnable() {}
    // Runs on the thread; should return once thread.cancelRequested() is set.
    virtual void run(Thread& thread) = 0;
};

}  // namespace orvo
