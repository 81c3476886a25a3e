#pragma once

#include <alc.h>

#include "audio/AudioOutput.h"

namespace orvo {

// Output through the default OpenAL device, which does all mixing. A device or context that
// cannot be made leaves the output not ready, silently; OpenAL calls then do nothing.
class AudioOutputOpenAl : public AudioOutput {
public:
    AudioOutputOpenAl(unsigned int bufferLength, unsigned int sampleRate, unsigned int channels);
    ~AudioOutputOpenAl() override;
    AudioOutputOpenAl(const AudioOutputOpenAl&) = delete;
    AudioOutputOpenAl& operator=(const AudioOutputOpenAl&) = delete;

    // Reports the output ready to the audio system.
    void execute() override;
    void cancel() override {}
    // Releases and restores the current context.
    void suspend() override;
    void resume() override;
    // Keeps the samples and has the Jobber's workers report the output ready, through a job of
    // its own: the output may be gone by the time a worker runs it.
    void writeToOutput(const short* samples, unsigned int count) override;

    static const char* getAlErrorString(int code);

    bool isReady() const { return ready_; }
    unsigned int getBufferLength() const { return bufferLength_; }
    unsigned int getChannels() const { return channels_; }
    unsigned int getSampleRate() const { return sampleRate_; }
    const short* getSamples() const { return samples_; }
    unsigned int getSampleCount() const { return sampleCount_; }

private:
    bool ready_;
    unsigned int bufferLength_;
    unsigned int channels_;
    unsigned int sampleRate_;
    ALCcontext* context_;
    ALCdevice* device_;
    const short* samples_;
    unsigned int sampleCount_;
};

}  // namespace orvo
