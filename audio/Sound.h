#pragma once

#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/containers/HashedArray.h"
#include "core/hash/HashString.h"
#include "core/maths/ZqVector.h"
#include "core/text/ZqString.h"

namespace orvo {

class Buffer;
class Source;

// A named effect with one or more sample variations and random variation of gain, pitch and
// position. Each play takes a voice from the source pool. The random draws come from the
// engine's one generator, in a fixed order, also when a range is zero: the track population
// shares that sequence.
class Sound {
public:
    Sound(HashString name, const boost::shared_ptr<Buffer>& buffer);
    // Stops first and leaves no pool entry pointing at the sound.
    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    void addBuffer(HashString name, const boost::shared_ptr<Buffer>& buffer);
    // Adds the sample of a file through the sound handler.
    void addSample(const ZqString& path);

    // Six draws when a voice is started: variation, gain, pitch, then position x, y, z. A
    // paused sound only continues its voices. False only for an empty pool.
    bool play(bool loop);
    void pause();
    void unpause();
    void stop();
    void removeAllSources();
    void removeSource(boost::shared_ptr<Source> source);

    // One draw per held source (three for the position).
    void setAmplitude(float base, float range);
    void setRelativePitch(float base, float range);
    void setPosition(const ZqVector<3>& base, const ZqVector<3>& range);

    HashString getName() const { return name_; }
    int32_t getPriority() const { return priority_; }
    void setPriority(int32_t priority) { priority_ = priority; }
    bool isPaused() const { return paused_; }
    const HashedArray<boost::shared_ptr<Buffer>>& getVariations() const { return variations_; }
    const Array<boost::shared_ptr<Source>>& getSources() const { return sources_; }

private:
    static ZqVector<3> randomOffset(const ZqVector<3>& base, const ZqVector<3>& range);

    HashString name_;
    HashedArray<boost::shared_ptr<Buffer>> variations_;
    Array<boost::shared_ptr<Source>> sources_;
    bool paused_;
    int32_t priority_;
    float gainBase_;
    float gainRange_;
    float pitchBase_;
    float pitchRange_;
    ZqVector<3> positionBase_;
    ZqVector<3> positionRange_;
};

}  // namespace orvo
