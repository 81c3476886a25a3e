#include "audio/SourcePool.h"

#include "audio/AudioSystem.h"
#include "audio/Sound.h"
#include "audio/Source.h"

namespace orvo {

Array<SourcePool::SourceStatus> SourcePool::availableSources_;
uint32_t SourcePool::playStampCount_ = 0;

SourcePool::SourcePool(unsigned int count) {
    AudioSystem* audio = AudioSystem::instance_;
    if (audio == nullptr) {
        return;
    }
    for (unsigned int i = 0; i < count; ++i) {
        const boost::shared_ptr<Source> source = audio->createSource();
        if (source) {
            availableSources_.pushBack(SourceStatus{source, 0, FREE_PRIORITY, nullptr, this});
        }
    }
}

SourcePool::~SourcePool() {
    AudioSystem* audio = AudioSystem::instance_;
    // Entries of other pools keep their order: hand-out scans it.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < availableSources_.size(); ++i) {
        SourceStatus& entry = availableSources_[i];
        if (entry.pool != this) {
            if (kept != i) {
                availableSources_[kept] = entry;
            }
            ++kept;
        } else if (audio != nullptr) {
            audio->destroySource(entry.source);
        }
    }
    while (availableSources_.size() > kept) {
        availableSources_.popBack();
    }
}

boost::shared_ptr<Source> SourcePool::getNextAvailableSource(Sound* sound) {
    if (availableSources_.empty()) {
        return boost::shared_ptr<Source>();
    }
    SourceStatus* taken = &availableSources_[0];
    uint32_t best = 0xFFFFFFFFu;
    for (SourceStatus& entry : availableSources_) {
        if (entry.priority > sound->getPriority()) {
            continue;
        }
        if (entry.source->getState() == Source::STATE_STOPPED || entry.stamp == 0) {
            taken = &entry;
            break;
        }
        if (entry.stamp < best) {
            taken = &entry;
            best = entry.stamp;
        }
    }
    // Copied first: the previous owner's removeSource releases its own reference.
    const boost::shared_ptr<Source> source = taken->source;
    if (taken->stamp != 0 && taken->owner != nullptr) {
        taken->owner->removeSource(source);
    }
    taken->owner = sound;
    ++playStampCount_;
    taken->stamp = playStampCount_;
    taken->priority = sound->getPriority();
    return source;
}

void SourcePool::releaseSource(const boost::shared_ptr<Source>& source) {
    for (SourceStatus& entry : availableSources_) {
        if (entry.source == source) {
            freeEntry(entry);
        }
    }
}

void SourcePool::releaseOwner(const Sound* sound) {
    for (SourceStatus& entry : availableSources_) {
        if (entry.owner == sound) {
            freeEntry(entry);
        }
    }
}

void SourcePool::freeEntry(SourceStatus& entry) {
    entry.stamp = 0;
    entry.priority = FREE_PRIORITY;
    entry.owner = nullptr;
}

}  // namespace orvo
