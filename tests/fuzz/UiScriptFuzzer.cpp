// The UI's Tcl commands with arbitrary words, or (first byte 0xff) the input as a whole page
// script, run as the event of an element of a loaded page, then a few updates so that the timers
// they start fire. The script budget is short, so that a runaway script costs a few milliseconds
// per run; timed commands run fixed scripts, among them Jim's own idioms.
#include <Rocket/Core.h>
#include <jim.h>
#include <stdlib.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/file/FileBase.h"
#include "core/locator/ServiceSingleton.h"
#include "core/log/Logger.h"
#include "graphics/GraphicsSystem.h"
#include "ui/RocketSystem.h"

using namespace orvo;

namespace {

const char* const COMMANDS[] = {
    "load_document",
    "add_document",
    "show_document",
    "hide_document",
    "refresh",
    "toggle_debugger",
    "show",
    "hide",
    "toggle_class",
    "flash",
    "get_attribute",
    "get_property",
    "set_attribute",
    "set_property",
    "get_pixel_position",
    "get_pixel_dimensions",
    "set_inner_rml",
    "trigger_event",
    "focus_on",
    "delay",
    "repeat",
    "call",
    "puts",
};

const char* const TIMED_SCRIPTS[] = {
    "set x 1",
    "toggle_class box",
    "flash box 0.1 lit",
    "load_document page.rml",
    "add_document other.rml",
    "repeat stop_all",
    "set_inner_rml box {<p id='box'>b</p>}",
    "foreach i {1 2} {toggle_class box}",
    "while {[incr ::n] % 3} {apply {{} {flash box 0.1 lit}}}",
    // Links through upvar and dict-sugar names made in a loop, as Jim's object system makes them.
    ("proc getter {} {foreach __ {nodeid} {upvar 1 instvars($__) $__}; incr nodeid}; "
     "proc obj {} {set instvars [dict create nodeid 0]; getter; getter}; obj"),
    "proc mk {n} {proc p$n {x} \"return \\$x$n\"}; foreach i {1 2} {mk $i}; p2 a",
    "lmap x {1 2} {apply {{y} {upvar 1 x z; set z $y}} $x}",
    // Timers that start timers.
    "delay 0.05 {repeat 0.05 {toggle_class box; repeat stop_this}}",
    "repeat 0 {delay 0.05 {flash box 0.05 lit}; repeat stop_all}",
    "while 1 {catch -signal {while 1 {}}}",
};

// Short: a runaway script is stopped after this.
const std::chrono::milliseconds BUDGET(20);

// A first byte that makes the rest of the input one script.
const uint8_t WHOLE_SCRIPT = 0xff;

const char* const PAGE =
    "<rml><head><style>div { display: block; width: 100px; height: 20px; }</style></head>"
    "<body><div id='box' class='a' altclass='b' onclick='toggle_class this'>"
    "<div id='inner' onfocus='hide box'>x</div></div></body></rml>";

struct Host {
    Host() {
        char pattern[] = "/tmp/trellin-ui-fuzz-XXXXXX";
        const char* made = mkdtemp(pattern);
        root = made != nullptr ? made : "/tmp";
        std::ofstream(root + "/page.rml") << PAGE;
        std::ofstream(root + "/other.rml") << PAGE;
        FileBase::setRootPath((root + "/").c_str());
        ZqLog.setMinimumLevel(9);
        Locator::registerService<GraphicsSystem>("GraphicsSystem");
        GraphicsSystem::instance_->getCurrentRenderTarget()->setDisplayDimensions(1024, 600);
        Locator::registerService<RocketSystem>("RocketSystem");
        RocketSystem::instance_->getSandbox().setBudget(BUDGET);
    }
    ~Host() {
        // Without a folder of its own the fuzzer used /tmp itself, which is not ours to remove.
        if (root != "/tmp") {
            std::error_code ec;
            std::filesystem::remove_all(root, ec);
        }
    }
    std::string root;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Host host;
    RocketSystem& ui = *RocketSystem::instance_;
    if (size < 2 || !ui.loadDocument("page.rml", true)) {
        return 0;
    }
    Jim_Interp* interp = ui.getInterpreter();
    Rocket::Core::Element* element =
        ui.getDefaultDocument()->GetElementById(data[1] & 1 ? "box" : "inner");
    if (data[0] == WHOLE_SCRIPT) {
        const std::string script(reinterpret_cast<const char*>(data) + 2, size - 2);
        ui.processEvent(element, "click", script.c_str());
    } else {
        const size_t command = data[0] % (sizeof(COMMANDS) / sizeof(COMMANDS[0]));
        std::vector<std::string> words{COMMANDS[command]};
        std::string word;
        for (size_t i = 2; i < size && words.size() < 6; ++i) {
            if (data[i] == '\n') {
                words.push_back(word);
                word.clear();
            } else {
                word.push_back(static_cast<char>(data[i]));
            }
        }
        words.push_back(word);
        if ((words[0] == "delay" || words[0] == "repeat") && words.size() >= 3) {
            words[2] = TIMED_SCRIPTS[data[1] % (sizeof(TIMED_SCRIPTS) / sizeof(TIMED_SCRIPTS[0]))];
        }
        std::vector<Jim_Obj*> objects;
        for (const std::string& w : words) {
            objects.push_back(Jim_NewStringObj(interp, w.data(), static_cast<int>(w.size())));
        }
        ui.setEventElement(element);
        Jim_EvalObjVector(interp, static_cast<int>(objects.size()), objects.data());
    }
    for (int i = 0; i < 3; ++i) {
        ui.update(0.05 * (data[1] >> 4));
    }
    ui.render("all");
    ui.processEvent(ui.getEventElement(), "click", "next.rml");
    ui.closeCurrentDocuments();
    ui.update(0.0);
    // Commands a script deleted or renamed come back for the next input.
    ui.initialise();
    return 0;
}
