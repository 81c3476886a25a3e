#pragma once

#include <cstdint>

#include "core/message/Message.h"

// A change of the window's navigator state, posted by the input update for the system-event
// module.
class PlaybookSystemEventMessage : public orvo::Message {
public:
    enum MessageType : uint32_t {
        WINDOW_FOREGROUND = 1,  // back to full screen
        WINDOW_BACKGROUND = 2,  // thumbnail or invisible
    };

    explicit PlaybookSystemEventMessage(MessageType messageType);

    MessageType type;
};
