#pragma once

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/memory/ZequinAllocation.h"
#include "core/thread/LightMutex.h"

namespace orvo {

// The one real queue of message type T, created on first use. Posting, removing and
// snapshotting hold the queue's own lock; consumers act on a snapshot outside it.
template <class T>
class MessageQueueActual {
public:
    static constexpr int MEMORY_CATEGORY = 11;

    // Creation takes no lock: each queue is made on the main thread before other threads use it.
    // A failed allocation leaves the queue absent; the next call tries again.
    static MessageQueueActual* instance() {
        if (queueInstance_ == nullptr) {
            queueInstance_ = new (MEMORY_CATEGORY, ZequinAllocation) MessageQueueActual();
            if (queueInstance_ != nullptr) {
                ++generation_;
            }
        }
        return queueInstance_;
    }

    static bool exists() { return queueInstance_ != nullptr; }
    // The queue of T if there is one; never creates it.
    static MessageQueueActual* existing() { return queueInstance_; }
    // Counts the queues of T made so far, so that a view can tell its own queue from a later
    // one (which may even take the same block).
    static unsigned generation() { return generation_; }

    // Releases every queued message and the queue itself; a later instance() starts afresh.
    static void destroyInstance() {
        MessageQueueActual* queue = queueInstance_;
        queueInstance_ = nullptr;
        if (queue == nullptr) {
            return;
        }
        if (queue->mutex_.lock()) {
            queue->messages_.clear();
            queue->mutex_.unlock();
        }
        delete queue;
    }

    // False for an empty pointer, and when the message could not be stored.
    bool postMessage(const boost::shared_ptr<T>& message) {
        if (!mutex_.lock()) {
            return false;
        }
        const bool posted = message && messages_.pushBack(message);
        mutex_.unlock();
        return posted;
    }

    // The first entry holding the same object takes the last entry's place; order is not kept.
    void removeMessage(const boost::shared_ptr<T>& message) {
        if (!mutex_.lock()) {
            return;
        }
        for (boost::shared_ptr<T>& entry : messages_) {
            if (entry.get() == message.get()) {
                entry = messages_[messages_.size() - 1];
                messages_.popBack();
                break;
            }
        }
        mutex_.unlock();
    }

    // The first `count` messages (all of them by default) in queue order.
    void copyMessages(Array<boost::shared_ptr<T>>& snapshot,
                      std::size_t count = static_cast<std::size_t>(-1)) {
        if (!mutex_.lock()) {
            return;
        }
        if (count < messages_.size()) {
            snapshot = Array<boost::shared_ptr<T>>::view(messages_.data(), count);
        } else {
            snapshot = messages_;
        }
        mutex_.unlock();
    }

    std::size_t size() {
        if (!mutex_.lock()) {
            return 0;
        }
        const std::size_t count = messages_.size();
        mutex_.unlock();
        return count;
    }

private:
    MessageQueueActual() : mutex_("queue") {}
    ~MessageQueueActual() = default;
    MessageQueueActual(const MessageQueueActual&) = delete;
    MessageQueueActual& operator=(const MessageQueueActual&) = delete;

    Array<boost::shared_ptr<T>> messages_;
    LightMutex mutex_;

    static MessageQueueActual* queueInstance_;
    static unsigned generation_;
};

template <class T>
MessageQueueActual<T>* MessageQueueActual<T>::queueInstance_ = nullptr;
template <class T>
unsigned MessageQueueActual<T>::generation_ = 0;

}  // namespace orvo
