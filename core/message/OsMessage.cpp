#include "core/message/OsMessage.h"

namespace orvo {

OsMessage::OsMessage(MessageType messageType) : Message("OS_MESSAGE"), type(messageType) {}

}  // namespace orvo
