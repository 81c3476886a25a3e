#pragma once

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/message/MessageQueueActual.h"

namespace orvo {

// A poster's or consumer's view of the queue of type T: the queue and a snapshot of the
// messages it held when the view was made. Draining works on the snapshot, so messages posted
// meanwhile (also by the handlers themselves) stay queued for the next drain. The snapshot is
// copied at its first use, so a view that only posts copies nothing.
//
// A view outlives its queue safely: once the queue of T is removed, posting goes to the queue
// of T made since (false when there is none), and the snapshot of a queue that is gone is empty.
template <class T>
class MessageQueue {
public:
    MessageQueue() : generation_(0), queuedAtStart_(0), snapshotTaken_(false) {
        MessageQueueActual<T>* queue = MessageQueueActual<T>::instance();
        if (queue != nullptr) {
            generation_ = MessageQueueActual<T>::generation();
            queuedAtStart_ = queue->size();
        }
    }

    bool postMessage(const boost::shared_ptr<T>& message) const {
        MessageQueueActual<T>* queue = MessageQueueActual<T>::existing();
        return queue != nullptr && queue->postMessage(message);
    }

    // Hands out the snapshot's messages first, then last to second, removing each from the
    // real queue. False once the snapshot is used up.
    bool nextMessage(boost::shared_ptr<T>& message) {
        takeSnapshot();
        if (snapshot_.empty()) {
            return false;
        }
        message = snapshot_[0];
        if (MessageQueueActual<T>* queue = ownQueue()) {
            queue->removeMessage(message);
        }
        snapshot_[0] = snapshot_[snapshot_.size() - 1];
        snapshot_.popBack();
        return true;
    }

    std::size_t snapshotSize() {
        takeSnapshot();
        return snapshot_.size();
    }

private:
    // The queue this view was made on, while it exists.
    MessageQueueActual<T>* ownQueue() const {
        return generation_ == MessageQueueActual<T>::generation()
                   ? MessageQueueActual<T>::existing()
                   : nullptr;
    }

    // Messages are only ever appended by posters, so the first ones queued now are those that
    // were queued when the view was made.
    void takeSnapshot() {
        if (snapshotTaken_) {
            return;
        }
        snapshotTaken_ = true;
        if (MessageQueueActual<T>* queue = ownQueue()) {
            queue->copyMessages(snapshot_, queuedAtStart_);
        }
    }

    unsigned generation_;
    std::size_t queuedAtStart_;
    bool snapshotTaken_;
    Array<boost::shared_ptr<T>> snapshot_;
};

}  // namespace orvo
