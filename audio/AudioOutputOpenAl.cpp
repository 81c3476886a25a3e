#include "audio/AudioOutputOpenAl.h"

#include <al.h>

#include <boost/shared_ptr.hpp>

#include "audio/AudioSystemMessage.h"
#include "core/memory/ZequinAllocation.h"
#include "core/thread/Jobber.h"

namespace orvo {

namespace {

// What a write hands to the workers. It holds nothing of the output, so the output may go
// while it waits in the queue.
class OutputReadyReport : public Job {
public:
    void execute() override { AudioSystemMessage::post(AudioSystemMessage::OUTPUT_READY); }
    void cancel() override {}
};

}  // namespace

AudioOutputOpenAl::AudioOutputOpenAl(unsigned int bufferLength, unsigned int sampleRate,
                                     unsigned int channels)
    : ready_(false),
      bufferLength_(bufferLength),
      channels_(channels),
      sampleRate_(sampleRate),
      context_(nullptr),
      device_(nullptr),
      samples_(nullptr),
      sampleCount_(0) {
    device_ = alcOpenDevice(nullptr);
    if (device_ == nullptr) {
        return;
    }
    context_ = alcCreateContext(device_, nullptr);
    if (context_ == nullptr) {
        // Not ready, so the destructor would not close it.
        alcCloseDevice(device_);
        device_ = nullptr;
        return;
    }
    alcMakeContextCurrent(context_);
    alGetError();  // clears the error state
    ready_ = true;
    AudioSystemMessage::post(AudioSystemMessage::OUTPUT_READY);
}

AudioOutputOpenAl::~AudioOutputOpenAl() {
    if (ready_) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context_);
        alcCloseDevice(device_);
    }
}

void AudioOutputOpenAl::execute() { AudioSystemMessage::post(AudioSystemMessage::OUTPUT_READY); }

void AudioOutputOpenAl::suspend() { alcMakeContextCurrent(nullptr); }

void AudioOutputOpenAl::resume() { alcMakeContextCurrent(context_); }

void AudioOutputOpenAl::writeToOutput(const short* samples, unsigned int count) {
    samples_ = samples;
    sampleCount_ = count;
    Jobber* jobber = Jobber::instance_;
    if (jobber == nullptr) {
        return;
    }
    Job* report = new (0, ZequinAllocation) OutputReadyReport();
    if (report != nullptr) {
        jobber->addJob(boost::shared_ptr<Job>(report));
    }
}

const char* AudioOutputOpenAl::getAlErrorString(int code) {
    switch (code) {
        case ALC_NO_ERROR:
            return "ALC_NO_ERROR";
        case ALC_INVALID_DEVICE:
            return "ALC_INVALID_DEVICE";
        case ALC_INVALID_CONTEXT:
            return "ALC_INVALID_CONTEXT";
        case ALC_INVALID_ENUM:
            return "ALC_INVALID_ENUM";
        case ALC_INVALID_VALUE:
            return "ALC_INVALID_VALUE";
        case ALC_OUT_OF_MEMORY:
            return "ALC_OUT_OF_MEMORY";
        default:
            return "Unknown error code";
    }
}

}  // namespace orvo
