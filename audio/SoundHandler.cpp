#include "audio/SoundHandler.h"

#include "audio/AudioSystem.h"
#include "audio/Sound.h"
#include "core/memory/ZequinAllocation.h"

namespace orvo {

SoundHandler::SoundHandler() : sourcePool_(SOURCE_COUNT) {}

SoundHandler::~SoundHandler() = default;

boost::shared_ptr<Sound> SoundHandler::createSound(const ZqString& path, HashString name) {
    if (sounds_.indexOf(name) >= 0) {
        return boost::shared_ptr<Sound>();
    }
    const boost::shared_ptr<Buffer> buffer = getBufferFromFile(path);
    if (!buffer) {
        return boost::shared_ptr<Sound>();
    }
    Sound* sound = new (0, ZequinAllocation) Sound(name, buffer);
    if (sound == nullptr) {
        return boost::shared_ptr<Sound>();
    }
    const boost::shared_ptr<Sound> shared(sound);
    if (!sounds_.pushBack(name, shared)) {
        return boost::shared_ptr<Sound>();
    }
    addReference(HashString(path.c_str()));
    return shared;
}

boost::shared_ptr<Buffer> SoundHandler::getBufferFromFile(const ZqString& path) {
    AudioSystem* audio = AudioSystem::instance_;
    if (audio == nullptr) {
        return boost::shared_ptr<Buffer>();
    }
    const HashString id(path.c_str());
    const boost::shared_ptr<Buffer> known = audio->getBuffer(id);
    return known ? known : audio->createBuffer(path, id);
}

bool SoundHandler::addFileToSound(HashString soundName, const ZqString& path) {
    const boost::shared_ptr<Sound> sound = getSound(soundName);
    if (!sound) {
        return false;
    }
    const boost::shared_ptr<Buffer> buffer = getBufferFromFile(path);
    if (!buffer) {
        return false;
    }
    const HashString id(path.c_str());
    sound->addBuffer(id, buffer);
    // Counted like the first variation, so that destroySound can take every variation back.
    addReference(id);
    return true;
}

boost::shared_ptr<Sound> SoundHandler::getSound(HashString name) const {
    const int index = sounds_.indexOf(name);
    return index < 0 ? boost::shared_ptr<Sound>() : sounds_[index].value;
}

void SoundHandler::destroySound(HashString name) {
    const int index = sounds_.indexOf(name);
    if (index < 0) {
        return;
    }
    for (const auto& variation : sounds_[index].value->getVariations()) {
        dropReference(variation.value);
    }
    sounds_[index] = sounds_[sounds_.size() - 1];
    sounds_.popBack();
}

void SoundHandler::pauseAll() {
    for (auto& entry : sounds_) {
        entry.value->pause();
    }
}

void SoundHandler::unpauseAll() {
    for (auto& entry : sounds_) {
        entry.value->unpause();
    }
}

void SoundHandler::suspend() {
    if (AudioSystem::instance_ != nullptr) {
        AudioSystem::instance_->suspend();
    }
}

void SoundHandler::resume() {
    if (AudioSystem::instance_ != nullptr) {
        AudioSystem::instance_->resume();
    }
}

void SoundHandler::addReference(HashString path) {
    const int index = bufferReferences_.indexOf(path);
    if (index >= 0) {
        ++bufferReferences_[index].value;
    } else {
        bufferReferences_.pushBack(path, 1u);
    }
}

// A variation's file is the name the audio system keeps its buffer under: the first variation
// is stored under the sound's own name, not the path.
void SoundHandler::dropReference(const boost::shared_ptr<Buffer>& buffer) {
    AudioSystem* audio = AudioSystem::instance_;
    if (audio == nullptr) {
        return;
    }
    for (const auto& named : audio->getNamedBuffers()) {
        if (named.value != buffer) {
            continue;
        }
        const int index = bufferReferences_.indexOf(named.name);
        if (index >= 0 && bufferReferences_[index].value > 0 &&
            --bufferReferences_[index].value == 0) {
            audio->destroyBuffer(named.name);
        }
        return;
    }
}

}  // namespace orvo
