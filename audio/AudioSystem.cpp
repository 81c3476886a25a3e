#include "audio/AudioSystem.h"

#include "audio/AudioOutput.h"
#include "audio/AudioSystemMessage.h"
#include "audio/Buffer.h"
#include "audio/Source.h"
#include "core/file/BinaryFile.h"
#include "core/memory/ZequinAllocation.h"
#include "core/message/MessageSystem.h"

namespace orvo {

AudioSystem::AudioSystem()
    : pendingCount_(0), pendingDone_(false), outputReady_(false), suspended_(true) {
    MessageQueueActual<AudioSystemMessage>::instance();
}

AudioSystem::~AudioSystem() { MessageSystem::removeQueue<AudioSystemMessage>(); }

bool AudioSystem::initialise(boost::shared_ptr<AudioOutput> output) {
    if (output_ || !output) {
        suspended_ = true;
        return false;
    }
    output_ = output;
    suspended_ = false;
    return true;
}

bool AudioSystem::reinitialise(boost::shared_ptr<AudioOutput> output) {
    output_.reset();
    return initialise(output);
}

void AudioSystem::shutdown() {
    sources_.clear();
    namedBuffers_.clear();
    output_.reset();
    suspended_ = true;
}

void AudioSystem::update(const double&) {
    if (!output_) {
        return;
    }
    MessageQueue<AudioSystemMessage> queue = MessageSystem::getQueue<AudioSystemMessage>();
    boost::shared_ptr<AudioSystemMessage> message;
    while (queue.nextMessage(message)) {
        if (message->type == AudioSystemMessage::PENDING_DONE) {
            // A report without pending work must not wrap the count.
            if (pendingCount_ > 0 && --pendingCount_ == 0) {
                pendingDone_ = true;
            }
        } else if (message->type == AudioSystemMessage::OUTPUT_READY) {
            outputReady_ = true;
        }
        message.reset();
    }
}

boost::shared_ptr<Buffer> AudioSystem::createBuffer(const ZqString& path, const HashString& name) {
    BinaryFile file;
    if (!file.open(path)) {
        return boost::shared_ptr<Buffer>();
    }
    const uint32_t size = file.size();
    Array<unsigned char> image(Buffer::MEMORY_CATEGORY);
    const bool read = image.resize(size, 0) && file.read(image.data(), 1, size) == size;
    file.close();
    if (!read) {
        return boost::shared_ptr<Buffer>();
    }
    Buffer* buffer = new (Buffer::MEMORY_CATEGORY, ZequinAllocation) Buffer(&image);
    if (buffer != nullptr && buffer->getData() == nullptr) {
        delete buffer;
        buffer = nullptr;
    }
    return addBuffer(buffer, name);
}

boost::shared_ptr<Buffer> AudioSystem::createBuffer(unsigned long count, unsigned long rate,
                                                    const HashString& name) {
    return addBuffer(new (Buffer::MEMORY_CATEGORY, ZequinAllocation) Buffer(count, rate), name);
}

boost::shared_ptr<Buffer> AudioSystem::addBuffer(Buffer* buffer, const HashString& name) {
    if (buffer == nullptr) {
        return boost::shared_ptr<Buffer>();
    }
    const boost::shared_ptr<Buffer> shared(buffer);
    namedBuffers_.pushBack(name, shared);
    return shared;
}

boost::shared_ptr<Buffer> AudioSystem::getBuffer(const HashString& name) const {
    const int index = namedBuffers_.indexOf(name);
    return index < 0 ? boost::shared_ptr<Buffer>() : namedBuffers_[index].value;
}

bool AudioSystem::destroyBuffer(const HashString&) { return false; }

boost::shared_ptr<Source> AudioSystem::createSource() {
    Source* source = new (0, ZequinAllocation) Source();
    if (source == nullptr) {
        return boost::shared_ptr<Source>();
    }
    const boost::shared_ptr<Source> shared(source);
    // A source the system does not list would be out of reach of pause, suspend and stop.
    if (!sources_.pushBack(shared)) {
        return boost::shared_ptr<Source>();
    }
    return shared;
}

bool AudioSystem::destroySource(const boost::shared_ptr<Source>& source) {
    for (boost::shared_ptr<Source>& entry : sources_) {
        if (entry == source) {
            entry = sources_[sources_.size() - 1];
            sources_.popBack();
            return true;
        }
    }
    return false;
}

template <class Action>
bool AudioSystem::forEachSource(Action action) {
    if (suspended_ || sources_.empty()) {
        return false;
    }
    for (boost::shared_ptr<Source>& source : sources_) {
        action(*source);
    }
    return true;
}

bool AudioSystem::stopAll() {
    return forEachSource([](Source& source) { source.stop(); });
}

bool AudioSystem::pauseAll() {
    return forEachSource([](Source& source) { source.pause(); });
}

bool AudioSystem::unpauseAll() {
    return forEachSource([](Source& source) { source.unpause(); });
}

bool AudioSystem::playAll() {
    return forEachSource([](Source& source) { source.play(false); });
}

void AudioSystem::suspend() {
    if (suspended_) {
        return;
    }
    pauseAll();
    if (output_) {
        output_->suspend();
    }
    suspended_ = true;
}

void AudioSystem::resume() {
    if (!suspended_) {
        return;
    }
    suspended_ = false;
    if (output_) {
        output_->resume();
    }
    unpauseAll();
}

}  // namespace orvo
