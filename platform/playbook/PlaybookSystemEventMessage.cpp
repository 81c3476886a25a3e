#include "platform/playbook/PlaybookSystemEventMessage.h"

PlaybookSystemEventMessage::PlaybookSystemEventMessage(MessageType messageType)
    : orvo::Message("PLAYBOOK_SYSTEM_EVENT_MESSAGE"), type(messageType) {}
