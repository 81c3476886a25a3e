#pragma once

#include <boost/shared_ptr.hpp>

#include "core/maths/ZqVector.h"

namespace orvo {

class Buffer;

// One playback voice over an OpenAL source. Its state is the system's own record: the end of a
// non-looping sample is never observed, so a source that was played stays "playing" until it
// is stopped or reused.
class Source {
public:
    enum State { STATE_STOPPED = 0, STATE_PLAYING = 1, STATE_PAUSED = 2 };

    Source();
    ~Source();
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;

    // Generates the OpenAL source on first use.
    void attachBuffer(boost::shared_ptr<Buffer>& buffer);
    void detachBuffer();
    void setAmplitude(float gain);
    void setRelativePitch(float pitch);
    // Sounds are not positioned.
    void setPosition(const ZqVector<3>& position);

    void play(bool loop);
    void pause();
    void unpause();
    void stop();

    int getState() const { return state_; }
    bool isLooping() const { return loop_; }
    float getGain() const { return gain_; }
    float getPitch() const { return pitch_; }
    const boost::shared_ptr<Buffer>& getBuffer() const { return buffer_; }
    unsigned int getAlSource() const { return alSource_; }

private:
    int state_;
    bool loop_;
    float gain_;
    float pitch_;
    boost::shared_ptr<Buffer> buffer_;
    unsigned int alSource_;
};

}  // namespace orvo
