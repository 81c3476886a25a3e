#pragma once

#include "platform/playbook/PlatformModule.h"

namespace orvo {

// Follows the window into and out of the foreground: pauses and resumes the music and tells
// the main loop when the game went to the background.
class SystemEventHandlerModulePlaybook : public PlatformModule {
public:
    SystemEventHandlerModulePlaybook();
    // Removes the PlaybookSystemEventMessage queue.
    ~SystemEventHandlerModulePlaybook() override;

    // Creates the PlaybookSystemEventMessage queue; false when it cannot be made.
    bool init();
    // Drains the queue once; true when the window left the foreground in this drain.
    bool update();
};

}  // namespace orvo
