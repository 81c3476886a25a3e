#pragma once

#include "core/thread/Job.h"

namespace orvo {

// The abstract sound output device.
class AudioOutput : public Job {
public:
    ~AudioOutput() override {}

    virtual void suspend() = 0;
    virtual void resume() = 0;
    virtual unsigned int getCopyLength() { return 0; }
    virtual void writeToOutput(const short* samples, unsigned int count) = 0;

    // Deleter for shared pointers that must not delete the output.
    static void sharedPtrDelete(AudioOutput*) {}
};

}  // namespace orvo
