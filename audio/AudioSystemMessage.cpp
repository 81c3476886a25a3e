#include "audio/AudioSystemMessage.h"

#include <boost/shared_ptr.hpp>

#include "core/memory/ZequinAllocation.h"
#include "core/message/MessageSystem.h"

namespace orvo {

AudioSystemMessage::AudioSystemMessage(uint32_t messageType)
    : Message(ZqString("AUDIO_SYSTEM_MIXER_MESSAGE")), type(messageType) {}

bool AudioSystemMessage::post(uint32_t messageType) {
    AudioSystemMessage* message =
        new (MEMORY_CATEGORY, ZequinAllocation) AudioSystemMessage(messageType);
    if (message == nullptr) {
        return false;
    }
    return MessageSystem::getQueue<AudioSystemMessage>().postMessage(
        boost::shared_ptr<AudioSystemMessage>(message));
}

}  // namespace orvo
