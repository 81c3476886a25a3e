#include <Rocket/Core.h>
#include <jim.h>

#include "core/hash/HashString.h"
#include "ui/RocketLog.h"
#include "ui/RocketStrings.h"
#include "ui/RocketSystem.h"

namespace orvo {

namespace {

// How much of a failed script its log line quotes.
const std::size_t QUOTED_SCRIPT_LENGTH = 15;

void removePair(Array<RocketSystem::HandlerPair>& pairs, const ZqString& key) {
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (pairs[i].first == key) {
            pairs[i] = pairs[pairs.size() - 1];
            pairs.popBack();
            return;
        }
    }
}

// Moves the entries that fire now into fired; repeats stay listed.
template <class Fires>
void collectFired(List<RocketSystem::TimerEntry>& timers, List<RocketSystem::TimerEntry>& fired,
                  bool keep, Fires fires) {
    for (auto it = timers.begin(); it != timers.end();) {
        if (!fires(*it)) {
            ++it;
            continue;
        }
        fired.pushBack(*it);
        it = keep ? ++it : timers.remove(it);
    }
}

template <class Matches>
void removeTimers(List<RocketSystem::TimerEntry>& timers, Matches matches) {
    for (auto it = timers.begin(); it != timers.end();) {
        it = matches(*it) ? timers.remove(it) : ++it;
    }
}

}  // namespace

bool RocketSystem::executeTclString(const ZqString& script, const ZqString& sourceName) {
    if (interpreter == nullptr) {
        return false;
    }
    const bool outermost = sandbox.enterScript();
    // A script that comes after its update spent the budget does not start.
    const int result = sandbox.spent() ? JIM_SIGNAL
                       : sourceName == "__empty__"
                           ? Jim_Eval(interpreter, script.c_str())
                           : Jim_EvalSource(interpreter, sourceName.c_str(), 0, script.c_str());
    const bool stopped = sandbox.leaveScript(result);
    if (result == JIM_OK) {
        return true;
    }
    // A stopped script has one line, from the evaluation that started it all.
    if (stopped && !outermost) {
        return false;
    }
    const ZqString quoted = script.substr(0, QUOTED_SCRIPT_LENGTH);
    const std::string stoppedText = sandbox.stoppedText();
    logRocketTclError({stopped ? stoppedText.c_str() : Jim_String(Jim_GetResult(interpreter)),
                       " (root document =  ", rootDocument.c_str(), ")., command begins with '",
                       quoted.c_str()});
    return false;
}

void RocketSystem::processEvent(Rocket::Core::Element* element, const ZqString& eventType,
                                const ZqString& value) {
    if (eventType == "unload" && element != nullptr) {
        const Rocket::Core::ElementDocument* document = element->GetOwnerDocument();
        if (document != nullptr && toZqString(document->GetSourceURL()) == rootDocument) {
            return;
        }
    }
    eventElement = element;
    const std::size_t length = value.size();
    if (length >= 4 && value.find(".rml") == length - 4 && value.find(' ') == ZqString::npos) {
        loadDocument(value, false);
        return;
    }
    executeTclString(value, eventType);
}

void RocketSystem::dispatchCall(const ZqString& value) {
    // Held for the whole call: a handler may load documents that drop the element.
    const ElementReference element = eventElement;
    Rocket::Core::ElementDocument* document = element ? element->GetOwnerDocument() : nullptr;
    if (document != nullptr) {
        const ZqString url = toZqString(document->GetSourceURL());
        for (const HandlerPair& pair : pageEventHandlers) {
            if (pair.first == url) {
                const boost::shared_ptr<EventHandler> handler = pair.second;
                handler->processEvent(element.get(), "call", value);
                break;
            }
        }
    }
    // A copy: handlers may register or remove handlers.
    const Array<HandlerPair> handlers = globalEventHandlers;
    for (const HandlerPair& pair : handlers) {
        pair.second->processEvent(element.get(), "call", value);
    }
}

Rocket::Core::Element* RocketSystem::getEventElement(const ZqString& id) {
    if (id == "this") {
        if (eventElement) {
            return eventElement.get();
        }
    } else {
        const HashString key(id.c_str());
        const int cached = elementCache.indexOf(key);
        if (cached >= 0) {
            return elementCache[static_cast<std::size_t>(cached)].value.get();
        }
        Rocket::Core::ElementDocument* document =
            eventElement ? eventElement->GetOwnerDocument() : nullptr;
        Rocket::Core::Element* found =
            document != nullptr ? document->GetElementById(toRocketString(id)) : nullptr;
        if (found != nullptr) {
            elementCache.pushBack(key, ElementReference(found));
            return found;
        }
    }
    if (interpreter != nullptr) {
        Jim_SetResultFormatted(interpreter, "No such element with id \"%s\".", id.c_str());
    }
    return nullptr;
}

void RocketSystem::registerPageEventHandler(const ZqString& documentPath,
                                            const boost::shared_ptr<EventHandler>& handler) {
    for (HandlerPair& pair : pageEventHandlers) {
        if (pair.first == documentPath) {
            pair.second = handler;
            return;
        }
    }
    pageEventHandlers.pushBack(HandlerPair(documentPath, handler));
}

void RocketSystem::registerGlobalEventHandler(const ZqString& name,
                                              const boost::shared_ptr<EventHandler>& handler) {
    removeGlobalEventHandler(name);
    globalEventHandlers.pushBack(HandlerPair(name, handler));
}

void RocketSystem::removePageEventHandler(const ZqString& documentPath) {
    removePair(pageEventHandlers, documentPath);
}

void RocketSystem::removeGlobalEventHandler(const ZqString& name) {
    removePair(globalEventHandlers, name);
}

void RocketSystem::removeDocumentTimers(Rocket::Core::ElementDocument* document) {
    const auto ofDocument = [document](const TimerEntry& entry) {
        return entry.document == document;
    };
    removeTimers(delayTimers, ofDocument);
    removeTimers(repeatTimers, ofDocument);
    removeTimers(flashTimers, ofDocument);
}

bool RocketSystem::isOpen(const Rocket::Core::ElementDocument* document) {
    return document != nullptr && document->GetParentNode() != nullptr;
}

void RocketSystem::updateTimedElements(double delta) {
    timerClock += delta;
    const double now = timerClock;
    List<TimerEntry> fired;
    collectFired(delayTimers, fired, false,
                 [now](TimerEntry& entry) { return entry.timer.update(now) > 0; });
    // A repeat without a running timer (time 0) runs on every update, a running one at most once
    // per update however many periods passed.
    collectFired(repeatTimers, fired, true, [now](TimerEntry& entry) {
        return entry.timer.getState() != Timer::RUNNING || entry.timer.update(now) > 0;
    });
    for (TimerEntry& entry : flashTimers) {
        if (entry.timer.update(now) > 0 && entry.element) {
            const ZqString current = toZqString(entry.element->GetClassNames());
            entry.element->SetClassNames(toRocketString(entry.name));
            entry.name = current;
        }
    }
    List<TimerEntry> deferred;
    for (TimerEntry& entry : fired) {
        // An earlier command of this update may have closed the timer's document.
        if (entry.document != nullptr && !isCurrent(entry.document)) {
            continue;
        }
        // Once the update's budget is spent, a delay waits for the next update and a repeat for
        // its next period.
        if (sandbox.spent()) {
            if (entry.name == "delay") {
                entry.timer.start(now - 2.0 * entry.timer.getPeriod());
                deferred.pushBack(entry);
            }
            continue;
        }
        const unsigned stops = sandbox.stops();
        processEvent(entry.element.get(), entry.name, entry.command);
        if (sandbox.stops() != stops && entry.name == "repeat") {
            removeStoppedRepeat(entry.element.get(), entry.command);
        }
    }
    if (deferred.size() != 0) {
        for (const TimerEntry& entry : delayTimers) {
            deferred.pushBack(entry);
        }
        delayTimers = deferred;
    }
}

void RocketSystem::removeStoppedRepeat(Rocket::Core::Element* element, const ZqString& command) {
    for (auto it = repeatTimers.begin(); it != repeatTimers.end(); ++it) {
        if (it->element == element && it->command == command) {
            repeatTimers.remove(it);
            const ZqString quoted = command.substr(0, QUOTED_SCRIPT_LENGTH);
            logRocketTclError({"repeat timer removed: its script was stopped (root document =  ",
                               rootDocument.c_str(), ")., command begins with '", quoted.c_str()});
            return;
        }
    }
}

}  // namespace orvo
