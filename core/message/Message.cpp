#include "core/message/Message.h"

namespace orvo {

Message::Message(const ZqString&) {}

Message::~Message() {}

}  // namespace orvo
