#pragma once

#include "core/text/ZqString.h"

namespace orvo {

// Base of every message. Each message type adds its 32-bit type word and is handed around as a
// boost::shared_ptr shared by the queue and its consumer. The name is not kept.
class Message {
public:
    explicit Message(const ZqString& name);
    virtual ~Message();
};

}  // namespace orvo
