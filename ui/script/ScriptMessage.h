#pragma once

#include <cstdint>

#include "core/hash/HashString.h"
#include "core/message/Message.h"
#include "ui/script/LuaParameters.h"

namespace orvo {

// A request for a Lua call, or its answer. The call is the global functionName of the state
// named stateName, or, when fieldName is not empty, the function fieldName inside that global
// called as a method. results holds the expected result types on the way in and the values on
// the way out.
class ScriptMessage : public Message {
public:
    explicit ScriptMessage(const ZqString& typeName);

    uint32_t sender;  // 0: nobody wants an answer
    HashString stateName;
    ZqString functionName;
    ZqString fieldName;
    LuaParameters params;
    LuaParameters results;
};

// A request, drained by ScriptSystem::update.
class IncomingScriptMessage : public ScriptMessage {
public:
    IncomingScriptMessage();
};

// The answer to a request whose sender is not 0: the request's names, parameters and results.
class OutgoingScriptMessage : public ScriptMessage {
public:
    explicit OutgoingScriptMessage(const ScriptMessage& request);
};

}  // namespace orvo
