#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "tests/support/LogCheck.h"
#include "tests/ui/UiTestSupport.h"

using namespace orvo;
using ui_test::UiTest;

namespace {

class RocketTclCommandTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        writeDocument("scripts/page.rml",
                      "<div id='box' class='a' altclass='b' data-x='7' "
                      "style='position: absolute; left: 10px; top: 20px; width: 100px; "
                      "height: 50px;' oncustom='set ::custom [get_attribute this id]'>"
                      "<span id='inner'>text</span></div>");
        writeDocument("scripts/other.rml", "<p id='far'>other</p>");
        ASSERT_TRUE(ui().loadDocument("scripts/page.rml", true));
    }
};

// Every command's outcome for a script run as the event of #box.
TEST_F(RocketTclCommandTest, CommandsGiveTheirResultsAndErrorTexts) {
    // Each failing command below writes its error text.
    trellin_test::expectLogMatching("RocketTcl error: .*", 37);
    trellin_test::expectLog(
        "Rocket Error: Failed to load document scripts/nope.rml, could not open file.", 2);
    trellin_test::expectLog("Rocket Error: Failed to load document nope.rml, could not open file.");
    struct Case {
        const char* script;
        bool ok;
        const char* result;
    };
    const Case cases[] = {
        {"load_document", false, "wrong # args: should be \"load_document <filename>\""},
        {"load_document nope.rml", false,
         "Error in load_document command, file \"nope.rml\" not found."},
        {"add_document", false, "wrong # args: should be \"add_document <filename> [hide]\""},
        {"add_document other.rml show", false,
         "In add_document command, document \"show\" not found."},
        {"add_document nope.rml", false,
         "Error in add_document command, document \"nope.rml\" not found."},
        {"show_document", false, "wrong # args: should be \"show_document <filename>\""},
        {"show_document nope", false, "In show_document command, document \"nope\" not found."},
        {"hide_document", false, "wrong # args: should be \"hide_document <filename>\""},
        {"hide_document nope", false, "In hide_document command, document \"nope\" not found."},
        {"refresh now", false, "wrong # args: should be \"refresh\""},
        {"toggle_debugger", true, ""},
        {"toggle_debugger a b c", true, ""},
        {"show", false, "wrong # args: should be \"show <element_id | this>\""},
        {"show nobody", false, "No such element with id \"nobody\"."},
        {"hide a b", false, "wrong # args: should be \"hide <element_id | this>\""},
        {"toggle_class", false, "wrong # args: should be \"toggle_class <element_id | this>\""},
        {"flash box", false,
         "wrong # args: should be \"flash <element_id | this> <time | stop> <class (only if "
         "time is used)>\""},
        {"flash box 1", false,
         "Invalid argument (\"1\")in flash command. Either the third parameter should be 'stop' "
         "or the fourth parameter is missing."},
        {"flash box stop", true, ""},
        {"flash box 0.00000000000000000000000000000000001 lit", false,
         "Syntax error at command flash. Cannot have a flash time below a millisecond."},
        {"get_attribute box", false,
         "wrong # args: should be \"get_attribute <element_id | this> <attribute_name>\""},
        {"get_attribute box data-x", true, "7"},
        {"get_attribute this missing", true, ""},
        {"get_property box", false,
         "wrong # args: should be \"get_property <element_id | this> <property_name>\""},
        {"get_property box nonsense", true, ""},
        {"get_property box width", true, "100.0000"},
        {"set_attribute box data-x", false,
         "wrong # args: should be \"set_attribute <element_id | this> <attribute_name> <value>\""},
        {"set_property box width", false,
         "wrong # args: should be \"set_property <element_id | this> <attribute_name> <value>\""},
        {"get_pixel_position", false,
         "wrong # args: should be \"get_pixel_position <element_id>\""},
        {"get_pixel_position box", true, "10.0 20.0"},
        {"get_pixel_dimensions box x", false,
         "wrong # args: should be \"get_pixel_dimensions <element_id>\""},
        {"get_pixel_dimensions box", true, "100.0 50.0"},
        {"set_inner_rml box", false,
         "wrong # args: should be \"set_inner_rml <element_id | this> \"text\"\""},
        {"trigger_event box", false,
         "wrong # args: should be \"trigger_event <element_id | this> <event_type>\""},
        {"focus_on", false, "wrong # args: should be \"focus_on <element_id | this | none>\""},
        {"focus_on none", true, ""},
        {"delay 1", false, "wrong # args: should be \"delay <time> <\"command string\">\""},
        {"delay 0 {set x 1}", false,
         "Syntax error at command delay. Cannot have a zero delay value."},
        {"delay -2 {set x 1}", false,
         "Syntax error at command delay. Cannot have a zero delay value."},
        {"delay 0.0009 {set x 1}", false,
         "Syntax error at command delay. Cannot have a delay value below a millisecond."},
        {"repeat", false, "wrong # args: should be \"repeat <time> <\"command string\">\""},
        {"repeat often", false,
         "Syntax error at command repeat. Second parameter must be 'stop_all' or 'stop_this' if "
         "there is no third parameter.."},
        {"repeat stop_all", true, ""},
        {"repeat 0.00001 {set x 1}", false,
         "Syntax error at command repeat. Cannot have a repeat time below a millisecond."},
        {"call", false, "wrong # args: should be \"call <custom_event_name> [parameters]\""},
        {"puts", false, "wrong # args: should be \"puts ?-nonewline? string\""},
        {"puts a b", false, "The second argument must be -nonewline"},
        {"puts a b c", false, "wrong # args: should be \"puts ?-nonewline? string\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        runAs("box", "set ::marker 0");
        EXPECT_EQ(runAs("box", c.script), c.ok);
        EXPECT_EQ(result(), c.result);
    }
    // The "hide" check comes before any loading; refused times start no timer.
    EXPECT_EQ(ui().getCurrentDocuments().size(), 1u);
    EXPECT_TRUE(ui().getFlashTimers().empty());
    EXPECT_TRUE(ui().getDelayTimers().empty());
    EXPECT_TRUE(ui().getRepeatTimers().empty());
}

TEST_F(RocketTclCommandTest, ElementCommandsChangeTheirElement) {
    ASSERT_TRUE(runAs("inner", "hide box"));
    EXPECT_FALSE(element("box")->IsVisible());
    ASSERT_TRUE(runAs("inner", "show box"));
    EXPECT_TRUE(element("box")->IsVisible());

    ASSERT_TRUE(runAs("box", "toggle_class this"));
    EXPECT_EQ(attribute("box", "class"), "b");
    EXPECT_EQ(attribute("box", "altclass"), "a");
    ASSERT_TRUE(runAs("inner", "toggle_class inner"));
    EXPECT_EQ(attribute("inner", "class"), "");
    EXPECT_EQ(attribute("inner", "altclass"), "");

    ASSERT_TRUE(runAs("box", "set_attribute box data-x {two words}"));
    EXPECT_EQ(attribute("box", "data-x"), "two words");
    ASSERT_TRUE(runAs("box", "set_property box width 60px"));
    ASSERT_TRUE(runAs("box", "get_pixel_dimensions box"));
    EXPECT_EQ(result(), "60.0 50.0");

    ASSERT_TRUE(runAs("box", "trigger_event box custom"));
    EXPECT_EQ(ui().getVariableValue("custom"), "box");

    ASSERT_TRUE(runAs("box", "set_inner_rml this {<p id='new'>fresh</p>}"));
    EXPECT_EQ(element("box")->GetInnerRML(), "<p id=\"new\">fresh</p>");
}

TEST_F(RocketTclCommandTest, LookupsAreCachedUntilTheDocumentsChange) {
    trellin_test::expectLog(
        "Rocket Error: Failed to load document other.rml, could not open file.");
    trellin_test::expectLog(
        "RocketTcl error: No such element with id \"far\". (root document =  scripts/page.rml)., "
        "command begins with 'get_attribute f",
        2);
    ASSERT_TRUE(ui().addDocument("other.rml", true));
    // Not found from page.rml, then found once asked from other.rml's element.
    EXPECT_FALSE(runAs("box", "get_attribute far id"));
    ASSERT_TRUE(runAs("far", "get_attribute far id"));
    EXPECT_TRUE(runAs("box", "get_attribute far id"));

    // A cached element that leaves its document stays valid until the cache is emptied.
    ASSERT_TRUE(runAs("box", "get_attribute inner id"));
    ASSERT_TRUE(runAs("box", "set_inner_rml box {}"));
    ui().update(0.0);
    EXPECT_TRUE(runAs("box", "set_attribute inner data-y 1"));
    EXPECT_EQ(element("inner"), nullptr);

    ASSERT_TRUE(ui().loadDocument("page.rml", false));
    EXPECT_FALSE(runAs("box", "get_attribute far id"));
    EXPECT_EQ(result(), "No such element with id \"far\".");
}

TEST_F(RocketTclCommandTest, LookupsWithoutAnEventElementFail) {
    trellin_test::expectLog(
        "RocketTcl error: No such element with id \"box\". (root document =  scripts/page.rml)., "
        "command begins with 'show box");
    trellin_test::expectLog(
        "RocketTcl error: No such element with id \"this\". (root document =  scripts/page.rml)., "
        "command begins with 'show this");
    EXPECT_FALSE(runAs("", "show box"));
    EXPECT_EQ(result(), "No such element with id \"box\".");
    EXPECT_FALSE(runAs("", "show this"));
    EXPECT_EQ(result(), "No such element with id \"this\".");
}

TEST_F(RocketTclCommandTest, DocumentCommandsLoadShowAndHide) {
    trellin_test::expectLog(
        "Rocket Error: Failed to load document other.rml, could not open file.");
    ASSERT_TRUE(runAs("box", "add_document other.rml hide"));
    ASSERT_EQ(ui().getCurrentDocuments().size(), 2u);
    Rocket::Core::ElementDocument* other = ui().getCurrentDocuments()[1];
    EXPECT_FALSE(other->IsVisible());
    ASSERT_TRUE(runAs("box", "show_document scripts/other.rml"));
    EXPECT_TRUE(other->IsVisible());
    ASSERT_TRUE(runAs("box", "hide_document scripts/other.rml"));
    EXPECT_FALSE(other->IsVisible());
    ASSERT_TRUE(runAs("box", "refresh"));
    EXPECT_EQ(ui().getCurrentDocuments().size(), 2u);
    ASSERT_TRUE(runAs("box", "load_document other.rml"));
    EXPECT_EQ(ui().getRootDocument(), "scripts/other.rml");
    EXPECT_EQ(ui().getCurrentDocuments().size(), 1u);
}

TEST_F(RocketTclCommandTest, PutsWritesLinesToTheLogger) {
    trellin_test::expectLog("first second");
    takeLog();
    ASSERT_TRUE(runAs("box", "puts -nonewline {first }; puts second"));
    EXPECT_EQ(takeLog(), "first second\n\x1b[37m");
}

// A page script reaches no file, process, environment or native code. Every command of the
// interpreter is listed here, so a command that appears with a new library or extension fails
// this test until someone has looked at what it can reach.
TEST_F(RocketTclCommandTest, ScriptsCannotReachTheSystem) {
    trellin_test::expectLogMatching("RocketTcl error: invalid command name .*", 27);
    trellin_test::expectLog(
        "RocketTcl error: Can't load package reach (root document =  scripts/page.rml)., command "
        "begins with 'lappend auto_pa");
    ASSERT_TRUE(runAs("box", "lsort [info commands]"));
    EXPECT_EQ(result(),
              "* + - / add_document alias append apply array break call catch "
              "collect concat continue delay dict error eval exists expr finalize flash "
              "focus_on for foreach format get_attribute get_pixel_dimensions "
              "get_pixel_position get_property getref global hide hide_document if incr info "
              "join lappend lassign lindex linsert list llength lmap load_document local loop "
              "lrange lrepeat lreplace lreverse lsearch lset lsort namespace pack package proc "
              "puts rand range ref refresh regexp regsub rename repeat return scan set "
              "set_attribute set_inner_rml set_property setref show show_document split string "
              "subst switch tailcall time toggle_class toggle_debugger trigger_event try unpack "
              "unset upcall uplevel upvar variable while xtrace");
    // Files, processes, environment, native code, sockets, signals and the process's end.
    for (const char* command :
         {"source",         "env", "exit",   "load",   "exec",  "open",   "file",   "glob",
          "readdir",        "pwd", "cd",     "signal", "alarm", "kill",   "sleep",  "os.fork",
          "os.gethostname", "aio", "socket", "interp", "clock", "syslog", "history"}) {
        SCOPED_TRACE(command);
        EXPECT_FALSE(runAs("box", std::string(command) + " /etc/passwd"));
        EXPECT_EQ(result(), std::string("invalid command name \"") + command + "\"");
    }
    const std::string witness = files / "witness";
    EXPECT_FALSE(runAs("box", "exec touch " + witness));
    EXPECT_FALSE(runAs("box", "set f [open " + witness + " w]; puts $f x"));
    EXPECT_FALSE(std::filesystem::exists(witness));
    EXPECT_FALSE(runAs("box", "info hostname"));
    EXPECT_FALSE(runAs("box", "info nameofexecutable"));

    // package require finds only what the interpreter provides, never a file on auto_path.
    write("lib/reach.tcl", "set ::reached 1; package provide reach 1.0");
    write("lib/pkgIndex.tcl", "set ::reached 1");
    EXPECT_FALSE(runAs("box", "lappend auto_path " + files / "lib" + "; package require reach"));
    EXPECT_EQ(result(), "Can't load package reach");
    EXPECT_EQ(variable("reached"), "");
    ASSERT_TRUE(runAs("box", "package require regexp"));
    EXPECT_TRUE(runAs("box", "package provide mine 2.0; package require mine"));

    // The extensions that are meant to be there work.
    ASSERT_TRUE(runAs("box",
                      "array set a {k v}; namespace eval n {variable v 1}; "
                      "regexp {(b+)} abbc m s; pack v 5 -intle 8; set s"));
    EXPECT_EQ(result(), "bb");
}

// The regular expression compiler recurses per nested group: a pattern nested deep enough would
// overflow the stack, through any command that matches regular expressions.
TEST_F(RocketTclCommandTest, DeeplyNestedPatternsFailAsScriptErrors) {
    trellin_test::expectLogMatching(
        "RocketTcl error: (regexp|regsub): parentheses nested too deep .*", 4);
    const std::string deep = std::string(100000, '(') + "a" + std::string(100000, ')');
    const std::pair<std::string, const char*> cases[] = {
        {"regexp {" + deep + "} a", "regexp"},
        {"regsub {" + deep + "} a b", "regsub"},
        {"lsearch -regexp {a} {" + deep + "}", "regexp"},
        {"switch -regexp a {" + deep + "} {set x 1}", "regexp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first.substr(0, 20));
        EXPECT_FALSE(runAs("box", c.first));
        EXPECT_EQ(result(), std::string(c.second) + ": parentheses nested too deep");
    }
    std::string bound = "a";
    for (int i = 0; i < 1000; ++i) {
        bound = "(?:" + bound + ")";
    }
    ASSERT_TRUE(runAs("box", "regexp {" + bound + "} a"));
    EXPECT_EQ(result(), "1");
}

}  // namespace
