#include "core/message/OsMessageHandler.h"

#include "core/message/MessageSystem.h"
#include "core/message/OsMessage.h"

namespace orvo {

OsMessageHandler::OsMessageHandler() : running_(true), active_(true), initialised_(false) {}

OsMessageHandler::~OsMessageHandler() { uninitialise(); }

void OsMessageHandler::initialise() {
    MessageQueueActual<OsMessage>::instance();
    initialised_ = true;
}

void OsMessageHandler::update() {
    MessageQueue<OsMessage> queue = MessageSystem::getQueue<OsMessage>();
    boost::shared_ptr<OsMessage> message;
    while (queue.nextMessage(message)) {
        switch (message->type) {
            case OsMessage::STOP_RUNNING:
                running_ = false;
                break;
            case OsMessage::DEACTIVATE:
                active_ = false;
                break;
            case OsMessage::ACTIVATE:
                active_ = true;
                break;
        }
        message.reset();
    }
}

void OsMessageHandler::uninitialise() {
    if (initialised_) {
        MessageSystem::removeQueue<OsMessage>();
    }
}

}  // namespace orvo
