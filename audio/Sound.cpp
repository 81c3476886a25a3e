#include "audio/Sound.h"

#include "audio/SoundHandler.h"
#include "audio/Source.h"
#include "audio/SourcePool.h"
#include "core/maths/ZqMaths.h"

namespace orvo {

Sound::Sound(HashString name, const boost::shared_ptr<Buffer>& buffer)
    : name_(name),
      paused_(false),
      priority_(0),
      gainBase_(1.0f),
      gainRange_(0.0f),
      pitchBase_(1.0f),
      pitchRange_(0.0f) {
    variations_.pushBack(name, buffer);
}

Sound::~Sound() {
    stop();
    SourcePool::releaseOwner(this);
}

void Sound::addBuffer(HashString name, const boost::shared_ptr<Buffer>& buffer) {
    variations_.pushBack(name, buffer);
}

void Sound::addSample(const ZqString& path) {
    SoundHandler* handler = SoundHandler::instance_;
    if (handler != nullptr) {
        handler->addFileToSound(name_, path);
    }
}

bool Sound::play(bool loop) {
    if (paused_) {
        for (boost::shared_ptr<Source>& source : sources_) {
            source->unpause();
        }
        paused_ = false;
        return true;
    }
    if (variations_.empty()) {
        return false;  // the first variation could not be stored
    }
    boost::shared_ptr<Source> source = SourcePool::getNextAvailableSource(this);
    if (!source || !sources_.pushBack(source)) {
        return false;
    }
    paused_ = false;
    // The last variation is reached only at the very top of the draw's range.
    const float pick = ZqMaths::intervalRandom(0.0f, static_cast<float>(variations_.size() - 1));
    boost::shared_ptr<Buffer> buffer = variations_.at(static_cast<unsigned int>(pick)).value;
    source->attachBuffer(buffer);
    source->setAmplitude(gainBase_ + ZqMaths::unitRandom() * gainRange_);
    source->setRelativePitch(pitchBase_ + ZqMaths::unitRandom() * pitchRange_);
    source->setPosition(randomOffset(positionBase_, positionRange_));
    source->play(loop);
    return true;
}

void Sound::pause() {
    for (boost::shared_ptr<Source>& source : sources_) {
        source->pause();
    }
    paused_ = true;
}

void Sound::unpause() {
    if (paused_) {
        play(false);
    }
}

void Sound::stop() {
    removeAllSources();  // stops every voice on the way
    paused_ = false;
}

void Sound::removeAllSources() {
    for (boost::shared_ptr<Source>& source : sources_) {
        source->stop();
        source->detachBuffer();
    }
    sources_.clear();
}

void Sound::removeSource(boost::shared_ptr<Source> source) {
    for (boost::shared_ptr<Source>& held : sources_) {
        if (held == source) {
            held->stop();
            held->detachBuffer();
            held = sources_[sources_.size() - 1];
            sources_.popBack();
            return;
        }
    }
}

void Sound::setAmplitude(float base, float range) {
    gainBase_ = base;
    gainRange_ = range;
    for (boost::shared_ptr<Source>& source : sources_) {
        source->setAmplitude(base + ZqMaths::unitRandom() * range);
    }
}

void Sound::setRelativePitch(float base, float range) {
    pitchBase_ = base;
    pitchRange_ = range;
    for (boost::shared_ptr<Source>& source : sources_) {
        source->setRelativePitch(base + ZqMaths::unitRandom() * range);
    }
}

void Sound::setPosition(const ZqVector<3>& base, const ZqVector<3>& range) {
    positionBase_ = base;
    positionRange_ = range;
    for (boost::shared_ptr<Source>& source : sources_) {
        source->setPosition(randomOffset(base, range));
    }
}

ZqVector<3> Sound::randomOffset(const ZqVector<3>& base, const ZqVector<3>& range) {
    // Three draws, x first: separate statements keep the order fixed.
    const float x = ZqMaths::unitRandom() * range.x;
    const float y = ZqMaths::unitRandom() * range.y;
    const float z = ZqMaths::unitRandom() * range.z;
    return ZqVector<3>(base.x + x, base.y + y, base.z + z);
}

}  // namespace orvo
