#pragma once

#include <boost/shared_ptr.hpp>

#include "audio/SourcePool.h"
#include "core/containers/HashedArray.h"
#include "core/hash/HashString.h"
#include "core/locator/ServiceSingleton.h"
#include "core/text/ZqString.h"

namespace orvo {

class Buffer;
class Sound;

// The sound service: creates sounds from WAV files, reading each file once however many sounds
// use it, and finds them by name. Owns the pool of voices.
class SoundHandler : public Locator::ServiceSingleton<SoundHandler> {
public:
    static constexpr unsigned int SOURCE_COUNT = 32;

    SoundHandler();
    ~SoundHandler() override;
    SoundHandler(const SoundHandler&) = delete;
    SoundHandler& operator=(const SoundHandler&) = delete;

    // Empty when the name is taken (the existing sound is kept) or the file gives no buffer.
    boost::shared_ptr<Sound> createSound(const ZqString& path, HashString name);
    // The audio system's buffer of the file, read on first use.
    boost::shared_ptr<Buffer> getBufferFromFile(const ZqString& path);
    // Adds the file's sample as a variation of the sound.
    bool addFileToSound(HashString soundName, const ZqString& path);
    boost::shared_ptr<Sound> getSound(HashString name) const;
    // Drops the handler's hold on the sound; buffers live until the audio system shuts down.
    void destroySound(HashString name);

    void pauseAll();
    void unpauseAll();
    void suspend();
    void resume();

    // How many sound variations use each file, by the file path's name id.
    const HashedArray<unsigned int>& getBufferReferences() const { return bufferReferences_; }

private:
    void addReference(HashString path);
    void dropReference(const boost::shared_ptr<Buffer>& buffer);

    SourcePool sourcePool_;
    HashedArray<boost::shared_ptr<Sound>> sounds_;
    HashedArray<unsigned int> bufferReferences_;
};

}  // namespace orvo
