#pragma once

#include <cstdint>

#include "core/message/Message.h"

namespace orvo {

// Reports from the output to the audio system, drained at its update.
class AudioSystemMessage : public Message {
public:
    static constexpr int MEMORY_CATEGORY = 11;

    enum MessageType : uint32_t { PENDING_DONE = 1, OUTPUT_READY = 2 };

    explicit AudioSystemMessage(uint32_t messageType);

    // Creates a message and posts it to its queue; false when it could not be made or posted.
    static bool post(uint32_t messageType);

    uint32_t type;
};

}  // namespace orvo
