#pragma once

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/message/MessageQueueActual.h"

namespace orvo {

// A poster's or consumer's view of the queue of type T: the queue and a snapshot of the
// messages it held when the view was made. Draining works on the snapshot, so messages posted
// meanwhile (also by the handlers themselves) stay queued for the next drain.
template <class T>
class MessageQueue {
public:
    MessageQueue() : queue_(MessageQueueActual<T>::instance()) {
        if (queue_ != nullptr) {
            queue_->copyMessages(snapshot_);
        }
    }

    bool postMessage(const boost::shared_ptr<T>& message) const {
        return queue_ != nullptr && queue_->postMessage(message);
    }

    // Hands out the snapshot's messages first, then last to second, removing each from the
    // real queue. False once the snapshot is used up.
    bool nextMessage(boost::shared_ptr<T>& message) {
        if (snapshot_.empty()) {
            return false;
        }
        message = snapshot_[0];
        if (queue_ != nullptr) {
            queue_->removeMessage(message);
        }
        snapshot_[0] = snapshot_[snapshot_.size() - 1];
        snapshot_.popBack();
        return true;
    }

    std::size_t snapshotSize() const { return snapshot_.size(); }

private:
    MessageQueueActual<T>* queue_;
    Array<boost::shared_ptr<T>> snapshot_;
};

}  // namespace orvo
