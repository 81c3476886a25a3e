#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/LogCheck.h"
#include "tests/ui/UiTestSupport.h"

using namespace orvo;
using ui_test::UiTest;

namespace {

// Short, so that the runaway scripts below end soon.
const std::chrono::milliseconds BUDGET(200);
const char* const STOPPED = "script ran longer than 0.2 seconds and was stopped";

// Far above the budget, only there to end a test that would otherwise hang.
const std::chrono::seconds HANG(10);

int lines(const std::string& log) {
    return static_cast<int>(std::count(log.begin(), log.end(), '\n'));
}

class TclSandboxTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        writeDocument("scripts/page.rml", "<div id='box'>box</div>");
        ASSERT_TRUE(ui().loadDocument("scripts/page.rml", true));
        ui().getSandbox().setBudget(BUDGET);
        takeLog();
    }

    // The test's scripts write count error lines whose message matches pattern.
    static void expectErrors(const std::string& pattern, int count) {
        trellin_test::expectLogMatching("RocketTcl error: " + pattern + " \\(root document = .*",
                                        count);
    }

    std::chrono::steady_clock::duration timed(const std::function<void()>& work) {
        const auto start = std::chrono::steady_clock::now();
        work();
        return std::chrono::steady_clock::now() - start;
    }

    // A script, whether it succeeds, and its result (the start of it).
    struct Case {
        std::string script;
        bool ok;
        std::string result;
    };
    void expectResults(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.script.substr(0, 60));
            EXPECT_LT(timed([&] { EXPECT_EQ(runAs("box", c.script), c.ok); }), HANG);
            EXPECT_EQ(result().substr(0, 200), c.result);
        }
    }
};

// What a plain Jim interpreter does, the page interpreter does too: bodies read back as written,
// the loops keep their results and errors, and Jim's object idioms work.
TEST_F(TclSandboxTest, ScriptsRunAsInAPlainInterpreter) {
    expectErrors(R"(can't interpret "\{\} \{return ok\} \{\} junk" as a lambda expression)", 1);
    expectErrors(R"(foreach varlist is empty)", 1);
    expectErrors(R"(inner)", 1);
    expectErrors(R"(wrong # args: should be ".*")", 5);
    expectResults({
        {"proc p {a} {incr a}; info body p", true, "incr a"},
        {"proc p {} {return 1}; proc q [info args p] [info body p]; info body q", true, "return 1"},
        {"apply {{x} {expr {$x * 2}}} 21", true, "42"},
        {"apply {{} {return ok} {} junk}", false,
         "can't interpret \"{} {return ok} {} junk\" as a lambda expression"},
        {"set ::t {}; proc tr {args} {lappend ::t [lindex $args 0] [lindex $args 4]}; xtrace tr; "
         "proc p {} {set x 1}; p; xtrace {}; set ::t",
         true, "cmd proc cmd p proc p cmd set cmd xtrace"},
        // An upvar through a dict-sugar name inside a loop, twice over: Jim's object idiom.
        {"proc getter {} {foreach __ {nodeid} {upvar 1 instvars($__) $__}; incr nodeid}; "
         "proc obj {} {set instvars [dict create nodeid 0]; getter; getter}; obj",
         true, "2"},
        {"lmap x {1 2 3} {if {$x == 2} continue; expr {$x * 10}}", true, "10 30"},
        {"foreach {a b} {1 2 3} {set r $a-$b}; set r", true, "3-"},
        {"foreach a {1 2} b {x y z} {lappend pairs $a$b}; set pairs", true, "1x 2y z"},
        {"set s {}; for {set i 0} {$i < 5} {incr i} {if {$i == 3} break; append s $i}; set s", true,
         "012"},
        {"set s {}; loop i 5 0 -2 {append s $i}; set s", true, "531"},
        {"set n 0; while {$n < 3} {incr n}", true, ""},
        {"string match {* microseconds per iteration} [time {set x 1} 3]", true, "1"},
        {"catch -signal {error x}", true, "1"},
        {"while 1 {break}; foreach x {1} {return -code error inner}", false, "inner"},
        {"foreach {} {1} {}", false, "foreach varlist is empty"},
        {"while 1", false, "wrong # args: should be \"while condition body\""},
        {"for a b c", false, "wrong # args: should be \"for start test next body\""},
        {"loop i", false, "wrong # args: should be \"loop var ?first? limit ?incr? body\""},
        {"lmap x", false,
         "wrong # args: should be \"lmap varList list ?varList list ...? script\""},
        {"time", false, "wrong # args: should be \"time script ?count?\""},
    });
}

// However it is spelt, package require finds only what the interpreter provides and never
// evaluates a file or loads a library.
TEST_F(TclSandboxTest, PackageRequireNeverReachesAFile) {
    expectErrors(R"(Can't load package evil)", 5);
    expectErrors(R"(wrong # args: should be "package require name \?version\?")", 1);
    write("lib/evil.tcl", "set ::reached 1; package provide evil 1.0");
    const std::string path = "set ::auto_path [list " + files / "lib" + "]; ";
    for (const char* spelling : {"require", "r", "re", "req", "requi"}) {
        SCOPED_TRACE(spelling);
        EXPECT_FALSE(runAs("box", path + "package " + spelling + " evil"));
        EXPECT_EQ(result(), "Can't load package evil");
        EXPECT_EQ(variable("reached"), "");
    }
    ASSERT_TRUE(runAs("box", "package require regexp"));
    EXPECT_EQ(result(), "1.0");
    ASSERT_TRUE(runAs("box", "package pro mine; package req mine; lsort [package names]"));
    EXPECT_EQ(result(), "array mine namespace pack regexp");
    EXPECT_FALSE(runAs("box", "package require"));
    EXPECT_EQ(result(), "wrong # args: should be \"package require name ?version?\"");
}

// However a script loops or recurses, it is stopped after its budget with one log line, and the
// next script runs normally.
TEST_F(TclSandboxTest, RunawayScriptsAreStopped) {
    expectErrors(R"(script ran longer than 0\.2 seconds and was stopped)", 16);
    const char* const scripts[] = {
        "while 1 {}",
        "for {} 1 {} {}",
        "set l [lrepeat 1000 x]; foreach a $l {foreach b $l {foreach c $l {}}}",
        "set l [lrepeat 1000 x]; lmap a $l {lmap b $l {lmap c $l {}}}",
        "loop i 0 1000000000000 {}",
        "time {} 1000000000000",
        "proc f {n} {if {$n} {f [incr n -1]; f $n}}; f 60",
        // Procedures that call procedures and nothing else.
        ("for {set i 0} {$i < 60} {incr i} {proc p$i {} \"p[expr {$i + 1}]; p[expr {$i + 1}]\"}; "
         "proc p60 {} {set x 1}; p0"),
        "set ::l {{n} {if {$n} {apply $::l [incr n -1]; apply $::l $n}}}; apply $::l 60",
        // A stop that is caught is raised again.
        "while 1 {catch -signal {while 1 {}}; catch {while 1 {}}}",
        "proc f {} {catch -signal {while 1 {}}; catch f; catch f}; f",
        ("for {set i 0} {$i < 60} {incr i} {proc p$i {} \"p[expr {$i + 1}]; p[expr {$i + 1}]\"}; "
         "proc p60 {} {set x 1}; try {while 1 {}} on signal {} {p0}"),
        // Scripts that evaluate themselves twice over, with no loop or procedure.
        "set ::s {catch {eval $::s}; catch {eval $::s}}; eval $::s",
        "set ::s {if 1 {catch {subst {[uplevel #0 $::s]}}; catch {uplevel #0 $::s}}}; eval $::s",
        // No name a script can reach switches the budget off.
        "catch {rename :::__script_budget {}}; while 1 {}",
        // The loops keep their check under another name (last: it takes while away).
        "rename while w; w 1 {}",
    };
    for (const char* script : scripts) {
        SCOPED_TRACE(script);
        takeLog();
        EXPECT_LT(timed([&] { EXPECT_FALSE(runAs("box", script)); }), HANG);
        const std::string log = takeLog();
        EXPECT_NE(log.find(STOPPED), std::string::npos) << log;
        EXPECT_EQ(lines(log), 1) << log;
        EXPECT_NE(log.find(std::string(script).substr(0, 10)), std::string::npos) << log;
        ASSERT_TRUE(runAs("box", "set after 1"));
    }
}

// A single command cannot take all the memory: results above 16 MiB (or 2 Mi list elements)
// are refused with an error, and what stays below works as in Jim.
TEST_F(TclSandboxTest, LargeResultsAreRefused) {
    expectErrors(R"((string repeat|format|join|pack): result would be longer than 16777216 bytes)",
                 8);
    expectErrors(R"((lrepeat|range): result would have more than 2097152 elements)", 5);
    expectErrors(R"(Invalid \(infinite\?\) range specified)", 1);
    expectErrors(R"(bad bitoffset: -1)", 1);
    expectErrors(R"(bad bitwidth: 100)", 1);
    expectErrors(R"(not enough arguments for all format specifiers)", 1);
    expectErrors(R"(wrong # args: should be "lrepeat count \?value \.\.\.\?")", 1);
    // Building the results near the bound takes a while in a sanitizer build.
    ui().getSandbox().setBudget(std::chrono::seconds(60));
    const std::string tooLong = ": result would be longer than 16777216 bytes";
    const std::string tooMany = ": result would have more than 2097152 elements";
    expectResults({
        {"string repeat x 16777217", false, "string repeat" + tooLong},
        {"string repe ab 8388609", false, "string repeat" + tooLong},
        {"string length [string repeat [string repeat ab 2048] 4096]", true, "16777216"},
        {"string repeat {} 1000000000000000000", true, ""},
        {"string repe x {1+2}", true, "xxx"},
        {"lrepeat 2097153 x", false, "lrepeat" + tooMany},
        {"lrepeat 1048577 a b", false, "lrepeat" + tooMany},
        {"llength [lrepeat 3 a b]", true, "6"},
        {"lrepeat -1 x", false, "wrong # args: should be \"lrepeat count ?value ...?\""},
        {"range 50000000", false, "range" + tooMany},
        {"range 50000000 0 -1", false, "range" + tooMany},
        {"range -9223372036854775808 9223372036854775807", false, "range" + tooMany},
        {"range 1 10 3", true, "1 4 7"},
        {"range 0 10 0", false, "Invalid (infinite?) range specified"},
        {"format %16777217s x", false, "format" + tooLong},
        {"format %*s 999999999999 x", false, "format" + tooLong},
        {"set x [string repeat [string repeat x 3000] 3000]; format %s%s $x $x", false,
         "format" + tooLong},
        {"format %.*s|%-*s|%5c 2 abcdef 3 a 65", true, "ab|a  |    A"},
        {"format %s%s%s a b", false, "not enough arguments for all format specifiers"},
        {"pack v 1 -intle 8 16000000000", false, "pack" + tooLong},
        {"pack v 1 -str 8 9223372036854775800", false, "pack" + tooLong},
        {"set v {}; pack v 0x41 -intle 8 8; string length $v", true, "2"},
        {"pack v 1 -intle 100", false, "bad bitwidth: 100"},
        {"pack v 1 -intle 8 -1", false, "bad bitoffset: -1"},
        {"join [lrepeat 2000000 x] [string repeat y 16]", false, "join" + tooLong},
        {"join {a b c} -", true, "a-b-c"},
    });
}

// Glob patterns match as in Jim, at a cost that does not grow with the number of stars.
TEST_F(TclSandboxTest, GlobPatternsMatchWithoutBacktracking) {
    expectErrors(R"(index "5" out of range)", 1);
    expectErrors(R"(list size must be a multiple of the stride length)", 1);
    expectErrors(R"(no body specified for pattern "x")", 1);
    expectErrors(R"(wrong # args: should be "string match \?-nocase\? pattern string")", 1);
    const std::string runaway = "[string repeat *a 12]b [string repeat a 80]";
    expectResults({
        {"string match " + runaway, true, "0"},
        {"lsearch -glob [list [string repeat a 80]] [string repeat *a 12]b", true, "-1"},
        {"switch -glob [string repeat a 80] [string repeat *a 12]b {set r 1} default {set r 2}",
         true, "2"},
        // Jim 0.81 reads past the end of the text here.
        {"string match {?*a} {}", true, "0"},
        {"string match -nocase A*C abc", true, "1"},
        {"string match {a[b-d]?} acx", true, "1"},
        {"string match -nocase {[A-C]} b", true, "1"},
        {"string match {[^a]} ^", true, "1"},
        {"string match {[a-]} b", true, "0"},
        {"string match {a[-z]} a-", true, "1"},
        {"string match {[a} a", true, "1"},
        {"string match {[]} x", true, "0"},
        {"string match {\\*} *", true, "1"},
        {"string match *a*b*c* xaybzc", true, "1"},
        {"string match *a*b*c* xaybz", true, "0"},
        {"string match a*a aa", true, "1"},
        {"string match a*a a", true, "0"},
        {"string match {} {}", true, "1"},
        {"string match", false,
         "wrong # args: should be \"string match ?-nocase? pattern string\""},
        {"lsearch -glob {ab cd ef} c*", true, "1"},
        {"lsearch -all -inline -glob {a1 b2 a3} a*", true, "a1 a3"},
        {"lsearch -glob -not {a b} a", true, "1"},
        {"lsearch -glob -bool -all {a b a} a", true, "1 0 1"},
        {"lsearch -glob -nocase {ABC} a*", true, "0"},
        {"lsearch -glob -stride 2 -index 1 -inline {x 1 y 2} 2", true, "y 2"},
        {"lsearch -glob -all -inline -stride 2 {a 1 b 2 a 3} a", true, "a 1 a 3"},
        {"lsearch -glob -index 5 {{a b}} b", false, "index \"5\" out of range"},
        {"lsearch -glob -stride 2 {a b c} a", false,
         "list size must be a multiple of the stride length"},
        {"switch -glob abc {a* - b* {set r x} default {set r y}}", true, "x"},
        {"switch -glob -- b a {set r 1} b - c {set r 2}", true, "2"},
        {"switch -glob x {x -}", false, "no body specified for pattern \"x\""},
        {"switch -regexp -- abc {^a.c$ {set r re}}", true, "re"},
    });
}

// Regular expressions mean what they mean in Jim, and one that would backtrack for minutes ends
// with an error instead, however it is reached.
TEST_F(TclSandboxTest, RegularExpressionsMatchUnderALimit) {
    expectErrors(R"(error while matching pattern: match limit exceeded)", 4);
    expectErrors(R"(couldn't compile regular expression pattern: invalid repetition count\(s\))",
                 2);
    expectErrors(R"(couldn't compile regular expression pattern: parentheses \(\) not balanced)",
                 1);
    expectErrors(R"(bad switch "-foo": must be .*)", 1);
    expectErrors(R"(regexp match variables not allowed when using -inline)", 1);
    const std::string limit = "error while matching pattern: match limit exceeded";
    expectResults({
        {"regexp {(a+)+b} [string repeat a 34]", true, "0"},
        {"regexp {(a+)+[bc]} [string repeat a 34]", false, limit},
        {"regsub -all {(a|aa)+[bc]} [string repeat a 60] x", false, limit},
        {"lsearch -regexp [list [string repeat a 34]] {(a+)+[bc]}", false, limit},
        {"switch -regexp [string repeat a 34] {(a+)+[bc]} {set r 1}", false, limit},
        // Jim 0.81 appends the replacement here for ever.
        {"regsub -all {x*} anything !", true, "!a!n!y!t!h!i!n!g!"},
        {"regsub -all {} abc -", true, "-a-b-c"},
        {"regexp -inline {(\\d+)-(\\d+)} {x 12-34 y}", true, "12-34 12 34"},
        {"regexp -indices -inline {(b)|(c)} abc", true, "{1 1} {1 1} {-1 -1}"},
        {"regexp -all -inline {a*} baaab", true, "{} aaa {}"},
        {"regexp -all {[[:digit:]]+} a1b22c333", true, "3"},
        {"regexp -line -all -inline {^\\w} \"ab\\ncd\"", true, "a c"},
        {"regexp -start 1 -inline {^a|b} ab", true, "b"},
        {"regexp {\\mfoo\\M} {a foo b}", true, "1"},
        // Jim folds the pattern's own characters, not those of its escapes.
        {"regexp -nocase {\\x61} A", true, "0"},
        {"regsub {(\\w+) (\\w+)} {hello world} {\\2 \\1}", true, "world hello"},
        {"regsub -all -nocase A aAa x", true, "xxx"},
        {"regexp {a{100}} a", false,
         "couldn't compile regular expression pattern: invalid repetition count(s)"},
        // Jim 0.81 takes a count that wraps to -1 and then reads before the text.
        {"regexp {a{-1}} a", false,
         "couldn't compile regular expression pattern: invalid repetition count(s)"},
        {"regexp {(} a", false,
         "couldn't compile regular expression pattern: parentheses () not balanced"},
        {"regexp -foo a b", false,
         "bad switch \"-foo\": must be --, -all, -indices, -inline, -line, -nocase, or -start"},
        {"regexp -inline a b c", false, "regexp match variables not allowed when using -inline"},
    });
}

// All the scripts of one update share one budget: however many timers run away, the update
// ends soon after the budget; the timer that was stopped goes, the others wait.
TEST_F(TclSandboxTest, AnUpdateSharesOneBudgetAmongItsTimers) {
    expectErrors(R"(script ran longer than 0\.2 seconds and was stopped)", 5);
    expectErrors(R"(repeat timer removed: its script was stopped)", 5);
    ASSERT_TRUE(runAs("box",
                      "set ::go 0; for {set i 0} {$i < 5} {incr i} {repeat 1 {if {$::go} "
                      "{while 1 {}}}}; repeat 1 {incr ::ticks}; set ::go 1"));
    ASSERT_EQ(ui().getRepeatTimers().size(), 6u);
    ASSERT_EQ(variable("ticks"), "1");
    takeLog();
    for (std::size_t runaway = 5; runaway > 0; --runaway) {
        SCOPED_TRACE(runaway);
        EXPECT_LT(timed([&] { ui().update(1.0); }), 4 * BUDGET);
        EXPECT_EQ(ui().getRepeatTimers().size(), runaway);
        const std::string log = takeLog();
        EXPECT_EQ(lines(log), 2) << log;
        EXPECT_NE(log.find(STOPPED), std::string::npos) << log;
        EXPECT_NE(log.find("RocketTcl error: \x1b[37mrepeat timer removed: its script was stopped "
                           "(root document =  scripts/page.rml)., command begins with 'if {$::go} "
                           "{whi\n"),
                  std::string::npos)
            << log;
    }
    EXPECT_EQ(variable("ticks"), "1");
    ui().update(1.0);
    EXPECT_EQ(variable("ticks"), "2");
    EXPECT_EQ(takeLog(), "");
}

TEST_F(TclSandboxTest, ADelayAfterASpentBudgetRunsAtTheNextUpdate) {
    expectErrors(R"(script ran longer than 0\.2 seconds and was stopped)", 1);
    ASSERT_TRUE(
        runAs("box", "delay 1 {while 1 {}}; delay 1 {set ::late 1}; delay 3 {set ::last 1}"));
    ui().update(1.0);
    EXPECT_EQ(variable("late"), "");
    ui().update(0.5);
    EXPECT_EQ(variable("late"), "1");
    EXPECT_EQ(ui().getDelayTimers().size(), 1u);
    ui().update(1.5);
    EXPECT_EQ(variable("last"), "1");
}

TEST_F(TclSandboxTest, ARepeatWhoseFirstRunIsStoppedGoesAtOnce) {
    expectErrors(R"(script ran longer than 0\.2 seconds and was stopped)", 1);
    expectErrors(R"(repeat timer removed: its script was stopped)", 1);
    EXPECT_FALSE(runAs("box", "repeat 1 {while 1 {}}; set ::after 1"));
    EXPECT_TRUE(ui().getRepeatTimers().empty());
    EXPECT_EQ(variable("after"), "");
    const std::string log = takeLog();
    EXPECT_EQ(lines(log), 2) << log;
    EXPECT_NE(log.find("repeat timer removed: its script was stopped"), std::string::npos) << log;
    EXPECT_NE(log.find(std::string(STOPPED) + " (root document =  scripts/page.rml)., command "
                                              "begins with 'repeat 1 {while\n"),
              std::string::npos)
        << log;
}

}  // namespace
