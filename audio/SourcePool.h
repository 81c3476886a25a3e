#pragma once

#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"

namespace orvo {

class Sound;
class Source;

// Shares a fixed set of sources out to sounds by priority and age, so that a busy game steals
// the oldest voice instead of failing. The entries are static, shared by every pool; each pool
// adds its own sources and takes them out again when it goes.
class SourcePool {
public:
    static constexpr int32_t FREE_PRIORITY = -1000000000;

    struct SourceStatus {
        boost::shared_ptr<Source> source;
        uint32_t stamp;     // play stamp of the last hand-out; 0 = not handed out since freed
        int32_t priority;   // of the sound that last took it
        Sound* owner;       // not owned
        SourcePool* pool;   // the pool that added the entry
    };

    // Creates count sources through the audio system.
    explicit SourcePool(unsigned int count);
    ~SourcePool();
    SourcePool(const SourcePool&) = delete;
    SourcePool& operator=(const SourcePool&) = delete;

    // Never asks OpenAL whether a source has finished: only the sources' own states count.
    static boost::shared_ptr<Source> getNextAvailableSource(Sound* sound);
    static void releaseSource(const boost::shared_ptr<Source>& source);
    // Frees every entry the sound holds; a sound that goes must leave no owner behind.
    static void releaseOwner(const Sound* sound);

    static const Array<SourceStatus>& getEntries() { return availableSources_; }

private:
    static void freeEntry(SourceStatus& entry);

    static Array<SourceStatus> availableSources_;
    static uint32_t playStampCount_;
};

}  // namespace orvo
