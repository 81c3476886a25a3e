#pragma once

#include "core/locator/ServiceSingleton.h"
#include "core/message/MessageQueue.h"
#include "core/message/MessageQueueActual.h"

namespace orvo {

// The service that hands out and removes message queues. It keeps no data, so its operations
// are static: owners can remove their queue even when the service is already gone.
class MessageSystem : public Locator::ServiceSingleton<MessageSystem> {
public:
    template <class T>
    static MessageQueue<T> getQueue() {
        return MessageQueue<T>();
    }

    template <class T>
    static bool removeQueue() {
        MessageQueueActual<T>::destroyInstance();
        return true;
    }
};

}  // namespace orvo
