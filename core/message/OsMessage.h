#pragma once

#include <cstdint>

#include "core/message/Message.h"

namespace orvo {

// A request from the operating system to the main loop.
class OsMessage : public Message {
public:
    enum MessageType : uint32_t { STOP_RUNNING = 1, DEACTIVATE = 2, ACTIVATE = 3 };

    explicit OsMessage(MessageType messageType);

    MessageType type;
};

}  // namespace orvo
