#include "ui/RocketTclCommands.h"

#include <Rocket/Core.h>
#include <jim.h>

#include "core/log/ErrorLine.h"
#include "core/text/StringFunctions.h"
#include "core/time/Timer.h"
#include "ui/RocketStrings.h"
#include "ui/RocketSystem.h"

namespace orvo {

namespace {

typedef Rocket::Core::Element Element;

RocketSystem& ui(Jim_Interp* interp) {
    return *static_cast<RocketSystem*>(Jim_CmdPrivData(interp));
}

ZqString word(Jim_Obj* const* argv, int index) {
    int length = 0;
    const char* text = Jim_GetString(argv[index], &length);
    return ZqString(text, static_cast<std::size_t>(length));
}

int usage(Jim_Interp* interp, Jim_Obj* const* argv, const char* text) {
    Jim_WrongNumArgs(interp, 1, argv, text);
    return JIM_ERR;
}

int fail(Jim_Interp* interp, const char* format, const ZqString& text) {
    Jim_SetResultFormatted(interp, format, text.c_str());
    return JIM_ERR;
}

void setResult(Jim_Interp* interp, const Rocket::Core::String& text) {
    Jim_SetResultString(interp, text.c_str(), static_cast<int>(text.size()));
}

// The element the first argument names, for a command of that many words; null with the usage
// or the lookup's error as the result.
Element* elementOf(Jim_Interp* interp, int argc, Jim_Obj* const* argv, int words,
                   const char* usageText) {
    if (argc != words) {
        usage(interp, argv, usageText);
        return nullptr;
    }
    return ui(interp).getEventElement(word(argv, 1));
}

ZqString pixelPair(float a, float b) { return floatToString(a, 0) + " " + floatToString(b, 0); }

RocketSystem::TimerEntry timerEntry(double period, double now, Element* element,
                                    const ZqString& name, const ZqString& command, bool start) {
    RocketSystem::TimerEntry entry;
    entry.name = name;
    entry.command = command;
    entry.timer = Timer(period);
    if (start) {
        entry.timer.start(now);
    }
    entry.element = element;
    entry.document = element != nullptr ? element->GetOwnerDocument() : nullptr;
    return entry;
}

// A script may go on after its page was replaced, or run as the page closes: a timer of an element
// whose document is already closed would outlive the document and is not started.
void addTimer(List<RocketSystem::TimerEntry>& timers, const RocketSystem::TimerEntry& entry) {
    if (!entry.element || RocketSystem::isOpen(entry.document)) {
        timers.pushBack(entry);
    }
}

// Shorter times would have a timer count more periods than the frames can show.
const float SHORTEST_TIME = 0.001f;

int timeTooShort(Jim_Interp* interp, const char* command, const char* what) {
    const ZqString text = ZqString("Syntax error at command ") + command + ". Cannot have a " +
                          what + " below a millisecond.";
    Jim_SetResultString(interp, text.c_str(), static_cast<int>(text.size()));
    return JIM_ERR;
}

int loadDocumentCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    if (argc != 2) {
        return usage(interp, argv, "<filename>");
    }
    if (!ui(interp).loadDocument(word(argv, 1), false)) {
        return fail(interp, "Error in load_document command, file \"%s\" not found.",
                    word(argv, 1));
    }
    return JIM_OK;
}

int addDocumentCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    if (argc != 2 && argc != 3) {
        return usage(interp, argv, "<filename> [hide]");
    }
    if (argc == 3 && word(argv, 2) != "hide") {
        return fail(interp, "In add_document command, document \"%s\" not found.", word(argv, 2));
    }
    if (!ui(interp).addDocument(word(argv, 1), argc == 2)) {
        return fail(interp, "Error in add_document command, document \"%s\" not found.",
                    word(argv, 1));
    }
    return JIM_OK;
}

// show_document and hide_document: one document found by name.
int documentCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv,
                    bool (RocketSystem::*change)(const ZqString&), const char* notFound) {
    if (argc != 2) {
        return usage(interp, argv, "<filename>");
    }
    if (!(ui(interp).*change)(word(argv, 1))) {
        return fail(interp, notFound, word(argv, 1));
    }
    return JIM_OK;
}

int showDocumentCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    return documentCommand(interp, argc, argv, &RocketSystem::showDocument,
                           "In show_document command, document \"%s\" not found.");
}

int hideDocumentCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    return documentCommand(interp, argc, argv, &RocketSystem::hideDocument,
                           "In hide_document command, document \"%s\" not found.");
}

int refreshCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    if (argc != 1) {
        return usage(interp, argv, "");
    }
    ui(interp).reloadCurrentDocuments();
    return JIM_OK;
}

int toggleDebuggerCommand(Jim_Interp*, int, Jim_Obj* const*) { return JIM_OK; }

// show and hide: display, then visibility.
int displayCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv, const char* display,
                   const char* visibility) {
    Element* element = elementOf(interp, argc, argv, 2, "<element_id | this>");
    if (element == nullptr) {
        return JIM_ERR;
    }
    element->SetProperty("display", display);
    element->SetProperty("visibility", visibility);
    return JIM_OK;
}

int showCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    return displayCommand(interp, argc, argv, "block", "visible");
}

int hideCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    return displayCommand(interp, argc, argv, "none", "hidden");
}

int toggleClassCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    Element* element = elementOf(interp, argc, argv, 2, "<element_id | this>");
    if (element == nullptr) {
        return JIM_ERR;
    }
    const Rocket::Core::String classes =
        element->GetAttribute<Rocket::Core::String>("class", Rocket::Core::String());
    const Rocket::Core::String alternative =
        element->GetAttribute<Rocket::Core::String>("altclass", Rocket::Core::String());
    element->SetAttribute("class", alternative);
    element->SetAttribute("altclass", classes);
    return JIM_OK;
}

int flashCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    const char* usageText = "<element_id | this> <time | stop> <class (only if time is used)>";
    Element* element = elementOf(interp, argc, argv, argc == 4 ? 4 : 3, usageText);
    if (element == nullptr) {
        return JIM_ERR;
    }
    RocketSystem& system = ui(interp);
    List<RocketSystem::TimerEntry>& flashes = system.getFlashTimers();
    if (argc == 4) {
        const float time = stringToFloat(word(argv, 2));
        // A negative time counts as zero: nothing flashes.
        if (!(time > 0.0f)) {
            return JIM_OK;
        }
        if (time < SHORTEST_TIME) {
            return timeTooShort(interp, "flash", "flash time");
        }
        const ZqString classes = toZqString(element->GetClassNames());
        addTimer(flashes,
                 timerEntry(time, system.getTimerClock(), element, classes, classes, true));
        element->SetClassNames(toRocketString(word(argv, 3)));
        return JIM_OK;
    }
    if (word(argv, 2) != "stop") {
        return fail(interp,
                    "Invalid argument (\"%s\")in flash command. Either the third parameter "
                    "should be 'stop' or the fourth parameter is missing.",
                    word(argv, 2));
    }
    for (auto it = flashes.begin(); it != flashes.end(); ++it) {
        if (it->element == element) {
            element->SetClassNames(toRocketString(it->command));
            flashes.remove(it);
            break;
        }
    }
    return JIM_OK;
}

int getAttributeCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    Element* element = elementOf(interp, argc, argv, 3, "<element_id | this> <attribute_name>");
    if (element == nullptr) {
        return JIM_ERR;
    }
    const Rocket::Core::Variant* value = element->GetAttribute(toRocketString(word(argv, 2)));
    setResult(interp, value != nullptr ? value->Get<Rocket::Core::String>() : "");
    return JIM_OK;
}

int getPropertyCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    Element* element = elementOf(interp, argc, argv, 3, "<element_id | this> <property_name>");
    if (element == nullptr) {
        return JIM_ERR;
    }
    const Rocket::Core::Property* value = element->GetProperty(toRocketString(word(argv, 2)));
    setResult(interp, value != nullptr ? value->Get<Rocket::Core::String>() : "");
    return JIM_OK;
}

int setAttributeCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    Element* element =
        elementOf(interp, argc, argv, 4, "<element_id | this> <attribute_name> <value>");
    if (element == nullptr) {
        return JIM_ERR;
    }
    element->SetAttribute(toRocketString(word(argv, 2)), toRocketString(word(argv, 3)));
    return JIM_OK;
}

int setPropertyCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    Element* element =
        elementOf(interp, argc, argv, 4, "<element_id | this> <attribute_name> <value>");
    if (element == nullptr) {
        return JIM_ERR;
    }
    element->SetProperty(toRocketString(word(argv, 2)), toRocketString(word(argv, 3)));
    return JIM_OK;
}

int getPixelPositionCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    Element* element = elementOf(interp, argc, argv, 2, "<element_id>");
    if (element == nullptr) {
        return JIM_ERR;
    }
    const Rocket::Core::Vector2f offset = element->GetRelativeOffset(Rocket::Core::Box::BORDER);
    setResult(interp, toRocketString(pixelPair(offset.x, offset.y)));
    return JIM_OK;
}

int getPixelDimensionsCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    Element* element = elementOf(interp, argc, argv, 2, "<element_id>");
    if (element == nullptr) {
        return JIM_ERR;
    }
    const Rocket::Core::Vector2f size = element->GetBox().GetSize(Rocket::Core::Box::BORDER);
    setResult(interp, toRocketString(pixelPair(size.x, size.y)));
    return JIM_OK;
}

int setInnerRmlCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    Element* element = elementOf(interp, argc, argv, 3, "<element_id | this> \"text\"");
    if (element == nullptr) {
        return JIM_ERR;
    }
    element->SetInnerRML(toRocketString(word(argv, 2)));
    return JIM_OK;
}

int triggerEventCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    Element* element = elementOf(interp, argc, argv, 3, "<element_id | this> <event_type>");
    if (element == nullptr) {
        return JIM_ERR;
    }
    element->DispatchEvent(toRocketString(word(argv, 2)), Rocket::Core::Dictionary(), false);
    return JIM_OK;
}

int focusOnCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    if (argc == 2 && word(argv, 1) == "none") {
        ui(interp).focusOnNone();
        return JIM_OK;
    }
    Element* element = elementOf(interp, argc, argv, 2, "<element_id | this | none>");
    if (element == nullptr) {
        return JIM_ERR;
    }
    element->Focus();
    return JIM_OK;
}

int delayCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    if (argc != 3) {
        return usage(interp, argv, "<time> <\"command string\">");
    }
    const float time = stringToFloat(word(argv, 1));
    // A negative time counts as zero.
    if (!(time > 0.0f)) {
        Jim_SetResultString(interp,
                            "Syntax error at command delay. Cannot have a zero delay value.", -1);
        return JIM_ERR;
    }
    if (time < SHORTEST_TIME) {
        return timeTooShort(interp, "delay", "delay value");
    }
    RocketSystem& system = ui(interp);
    addTimer(system.getDelayTimers(),
             timerEntry(time, system.getTimerClock(), system.getEventElement(), "delay",
                        word(argv, 2), true));
    return JIM_OK;
}

int repeatCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    RocketSystem& system = ui(interp);
    List<RocketSystem::TimerEntry>& repeats = system.getRepeatTimers();
    if (argc == 3) {
        const float time = stringToFloat(word(argv, 1));
        // Time 0 or less runs on every update.
        if (time > 0.0f && time < SHORTEST_TIME) {
            return timeTooShort(interp, "repeat", "repeat time");
        }
        Element* element = system.getEventElement();
        const ZqString command = word(argv, 2);
        addTimer(repeats,
                 timerEntry(time, system.getTimerClock(), element, "repeat", command, time > 0.0f));
        const unsigned stops = system.getSandbox().stops();
        system.processEvent(element, ZqString(), command);
        if (system.getSandbox().stops() != stops) {
            system.removeStoppedRepeat(element, command);
        }
        return JIM_OK;
    }
    if (argc != 2) {
        return usage(interp, argv, "<time> <\"command string\">");
    }
    const ZqString which = word(argv, 1);
    if (which == "stop_all") {
        repeats.clear();
        return JIM_OK;
    }
    if (which == "stop_this") {
        Element* element = system.getEventElement();
        for (auto it = repeats.begin(); it != repeats.end();) {
            it = it->element == element ? repeats.remove(it) : ++it;
        }
        return JIM_OK;
    }
    Jim_SetResultString(interp,
                        "Syntax error at command repeat. Second parameter must be 'stop_all' or "
                        "'stop_this' if there is no third parameter..",
                        -1);
    return JIM_ERR;
}

int callCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    if (argc < 2) {
        return usage(interp, argv, "<custom_event_name> [parameters]");
    }
    ZqString value = word(argv, 1);
    for (int i = 2; i < argc; ++i) {
        value += " " + word(argv, i);
    }
    ui(interp).dispatchCall(value);
    return JIM_OK;
}

// Writes to the logger instead of the standard output.
int putsCommand(Jim_Interp* interp, int argc, Jim_Obj* const* argv) {
    if (argc == 3 && word(argv, 1) != "-nonewline") {
        Jim_SetResultString(interp, "The second argument must be -nonewline", -1);
        return JIM_ERR;
    }
    if (argc != 2 && argc != 3) {
        return usage(interp, argv, "?-nonewline? string");
    }
    if (argc == 2) {
        logLine(LineKind::PLAIN, nullptr, {Jim_String(argv[1])});
    } else {
        logText(Jim_String(argv[2]));
    }
    return JIM_OK;
}

struct Command {
    const char* name;
    Jim_CmdProc* procedure;
};

const Command COMMANDS[] = {
    {"load_document", loadDocumentCommand},
    {"add_document", addDocumentCommand},
    {"show_document", showDocumentCommand},
    {"hide_document", hideDocumentCommand},
    {"refresh", refreshCommand},
    {"toggle_debugger", toggleDebuggerCommand},
    {"show", showCommand},
    {"hide", hideCommand},
    {"toggle_class", toggleClassCommand},
    {"flash", flashCommand},
    {"get_attribute", getAttributeCommand},
    {"get_property", getPropertyCommand},
    {"set_attribute", setAttributeCommand},
    {"set_property", setPropertyCommand},
    {"get_pixel_position", getPixelPositionCommand},
    {"get_pixel_dimensions", getPixelDimensionsCommand},
    {"set_inner_rml", setInnerRmlCommand},
    {"trigger_event", triggerEventCommand},
    {"focus_on", focusOnCommand},
    {"delay", delayCommand},
    {"repeat", repeatCommand},
    {"call", callCommand},
    // After the extensions, so that it replaces the core puts.
    {"puts", putsCommand},
};

}  // namespace

void registerRocketTclCommands(Jim_Interp* interpreter, RocketSystem* system) {
    for (const Command& command : COMMANDS) {
        Jim_CreateCommand(interpreter, command.name, command.procedure, system, nullptr);
    }
}

}  // namespace orvo
