#include "audio/Source.h"

#include <al.h>

#include "audio/Buffer.h"

namespace orvo {

Source::Source() : state_(STATE_STOPPED), loop_(false), gain_(1.0f), pitch_(1.0f), alSource_(0) {}

Source::~Source() {
    if (alSource_ != 0) {
        alDeleteSources(1, &alSource_);
    }
}

void Source::attachBuffer(boost::shared_ptr<Buffer>& buffer) {
    state_ = STATE_STOPPED;
    buffer_ = buffer;
    if (alSource_ == 0) {
        alGenSources(1, &alSource_);
    }
    const ALuint alBuffer = buffer_ ? buffer_->getAlBuffer() : 0;
    alSourcei(alSource_, AL_BUFFER, static_cast<ALint>(alBuffer));
}

void Source::detachBuffer() {
    state_ = STATE_STOPPED;
    alSourcei(alSource_, AL_BUFFER, 0);
    buffer_.reset();
}

void Source::setAmplitude(float gain) {
    gain_ = gain;
    alSourcef(alSource_, AL_GAIN, gain);
}

void Source::setRelativePitch(float pitch) {
    pitch_ = pitch;
    alSourcef(alSource_, AL_PITCH, pitch);
}

void Source::setPosition(const ZqVector<3>&) {}

void Source::play(bool loop) {
    if (!buffer_) {
        return;
    }
    loop_ = loop;
    state_ = STATE_PLAYING;
    alSourcef(alSource_, AL_GAIN, gain_);
    alSourcef(alSource_, AL_PITCH, pitch_);
    alSourcei(alSource_, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    alSourcePlay(alSource_);
}

void Source::pause() {
    if (!buffer_) {
        return;
    }
    if (state_ == STATE_PLAYING) {
        state_ = STATE_PAUSED;
    }
    alSourcePause(alSource_);
}

void Source::unpause() {
    if (!buffer_ || state_ != STATE_PAUSED) {
        return;
    }
    state_ = STATE_PLAYING;
    alSourcePlay(alSource_);
}

void Source::stop() {
    state_ = STATE_STOPPED;
    alSourceStop(alSource_);
    alSourceRewind(alSource_);
}

}  // namespace orvo
