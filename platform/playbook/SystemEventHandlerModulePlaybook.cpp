#include "platform/playbook/SystemEventHandlerModulePlaybook.h"

#include "core/message/MessageSystem.h"
#include "platform/playbook/PlaybookSystemEventMessage.h"
#include "platform/playbook/qnxMMR.h"

namespace orvo {

SystemEventHandlerModulePlaybook::SystemEventHandlerModulePlaybook()
    : PlatformModule(SYSTEM_EVENT_HANDLER_MODULE) {}

SystemEventHandlerModulePlaybook::~SystemEventHandlerModulePlaybook() {
    MessageSystem::removeQueue<PlaybookSystemEventMessage>();
}

bool SystemEventHandlerModulePlaybook::init() {
    return MessageQueueActual<PlaybookSystemEventMessage>::instance() != nullptr;
}

bool SystemEventHandlerModulePlaybook::update() {
    bool backgrounded = false;
    MessageQueue<PlaybookSystemEventMessage> queue =
        MessageSystem::getQueue<PlaybookSystemEventMessage>();
    boost::shared_ptr<PlaybookSystemEventMessage> message;
    while (queue.nextMessage(message)) {
        switch (message->type) {
            case PlaybookSystemEventMessage::WINDOW_FOREGROUND:
                qnxMMRResume();
                break;
            case PlaybookSystemEventMessage::WINDOW_BACKGROUND:
                qnxMMRPause();
                backgrounded = true;
                break;
        }
        message.reset();
    }
    return backgrounded;
}

}  // namespace orvo
