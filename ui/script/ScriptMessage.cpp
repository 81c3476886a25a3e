#include "ui/script/ScriptMessage.h"

namespace orvo {

ScriptMessage::ScriptMessage(const ZqString& typeName) : Message(typeName), sender(0) {}

IncomingScriptMessage::IncomingScriptMessage() : ScriptMessage("INCOMING_SCRIPT_MESSAGE_TYPE") {}

OutgoingScriptMessage::OutgoingScriptMessage(const ScriptMessage& request)
    : ScriptMessage("OUTGOING_SCRIPT_MESSAGE_TYPE") {
    sender = request.sender;
    stateName = request.stateName;
    functionName = request.functionName;
    fieldName = request.fieldName;
    params = request.params;
    results = request.results;
}

}  // namespace orvo
