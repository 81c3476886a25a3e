#pragma once

#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/containers/HashedArray.h"
#include "core/hash/HashString.h"
#include "core/locator/ServiceSingleton.h"
#include "core/text/ZqString.h"

namespace orvo {

class AudioOutput;
class Buffer;
class Source;

// The sound-effect service: owns the output, every sample buffer and every playback source,
// and suspends or resumes all sound effects at once. OpenAL does all mixing.
class AudioSystem : public Locator::ServiceSingleton<AudioSystem> {
public:
    // Creates the AudioSystemMessage queue.
    AudioSystem();
    ~AudioSystem() override;
    AudioSystem(const AudioSystem&) = delete;
    AudioSystem& operator=(const AudioSystem&) = delete;

    // Takes the output unless one is set or the pointer is empty. An output that failed to
    // open is accepted all the same.
    bool initialise(boost::shared_ptr<AudioOutput> output);
    bool reinitialise(boost::shared_ptr<AudioOutput> output);
    // Releases the sources, the buffers and the output.
    void shutdown();
    // Drains the AudioSystemMessage queue, only while an output is set.
    void update(const double& time);

    // Reads a WAV file through the file layer; empty when it cannot be read or checked.
    boost::shared_ptr<Buffer> createBuffer(const ZqString& path, const HashString& name);
    boost::shared_ptr<Buffer> createBuffer(unsigned long count, unsigned long rate,
                                           const HashString& name);
    boost::shared_ptr<Buffer> getBuffer(const HashString& name) const;
    // Buffers live until shutdown: removes nothing.
    bool destroyBuffer(const HashString& name);

    // Empty when the source cannot be made or listed.
    boost::shared_ptr<Source> createSource();
    bool destroySource(const boost::shared_ptr<Source>& source);

    // False while suspended or without sources.
    bool stopAll();
    bool pauseAll();
    bool unpauseAll();
    bool playAll();
    void suspend();
    void resume();

    bool isSuspended() const { return suspended_; }
    bool isOutputReady() const { return outputReady_; }
    bool isPendingDone() const { return pendingDone_; }
    uint32_t getPendingCount() const { return pendingCount_; }
    const boost::shared_ptr<AudioOutput>& getOutput() const { return output_; }
    const HashedArray<boost::shared_ptr<Buffer>>& getNamedBuffers() const { return namedBuffers_; }
    const Array<boost::shared_ptr<Source>>& getSources() const { return sources_; }

private:
    boost::shared_ptr<Buffer> addBuffer(Buffer* buffer, const HashString& name);
    // The whole-system operations: nothing while suspended or without sources.
    template <class Action>
    bool forEachSource(Action action);

    boost::shared_ptr<AudioOutput> output_;
    HashedArray<boost::shared_ptr<Buffer>> namedBuffers_;
    Array<boost::shared_ptr<Source>> sources_;
    uint32_t pendingCount_;
    bool pendingDone_;
    bool outputReady_;
    bool suspended_;
};

}  // namespace orvo
