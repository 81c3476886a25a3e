#include <gtest/gtest.h>

#include "tests/support/LogCheck.h"
#include "tests/ui/UiTestSupport.h"

using namespace orvo;
using ui_test::UiTest;

namespace {

class RocketEventTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        writeDocument("scripts/page.rml",
                      "<div id='box' class='plain' onclick='call clicked'>"
                      "<span id='inner'>x</span></div>");
        writeDocument("scripts/next.rml", "<p id='next'>next</p>");
        ASSERT_TRUE(ui().loadDocument("scripts/page.rml", true));
        ui().registerGlobalEventHandler("log", handler("global"));
    }

    void click(const std::string& id) { element(id)->Click(); }
    double clockAfter(double delta) {
        ui().update(delta);
        return ui().getTimerClock();
    }
};

TEST_F(RocketEventTest, EventTextsLoadDocumentsOrRunAsTcl) {
    trellin_test::expectLog(
        "RocketTcl error: invalid command name \".rm\" (root document =  scripts/page.rml)., "
        "command begins with '.rm");
    trellin_test::expectLog(
        "RocketTcl error: invalid command name \".rml.rml\" (root document =  scripts/page.rml)., "
        "command begins with '.rml.rml");
    struct Case {
        const char* value;
        const char* root;
    };
    const Case cases[] = {
        // Three characters or fewer, or a blank anywhere: Tcl.
        {".rm", "scripts/page.rml"},
        {"set x next.rml", "scripts/page.rml"},
        {".rml.rml", "scripts/page.rml"},
        {"next.rml", "scripts/next.rml"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        ASSERT_TRUE(ui().loadDocument("page.rml", false));
        ui().processEvent(element("box"), "click", c.value);
        EXPECT_EQ(ui().getRootDocument(), c.root);
    }
}

TEST_F(RocketEventTest, AnElementsEventRunsItsScriptWithTheTargetAsThis) {
    trellin_test::expectLog("Rocket Error: Failed to load document next.rml, could not open file.");
    ASSERT_TRUE(ui().addDocument("next.rml", true));
    element("next")->SetAttribute("onclick", "set ::who [get_attribute this id]");
    click("next");
    EXPECT_EQ(ui().getVariableValue("who"), "next");
    // A click on the span bubbles to the div's listener with the span as the target.
    click("inner");
    EXPECT_EQ(events, std::vector<std::string>{"global:call:clicked"});
    EXPECT_EQ(ui().getEventElement(), element("inner"));
}

TEST_F(RocketEventTest, TheRootDocumentsUnloadRunsNothingAnotherDocumentsDoes) {
    trellin_test::expectLog(
        "Rocket Error: Failed to load document second.rml, could not open file.", 2);
    writeDocument("scripts/second.rml", "<p>s</p>", "onunload='call second gone'");
    writeDocument("scripts/root.rml", "<p>r</p>", "onunload='call root gone'");
    ASSERT_TRUE(ui().loadDocument("root.rml", false));
    ASSERT_TRUE(ui().addDocument("second.rml", true));
    ui().closeCurrentDocuments();
    // The root's name is cleared before closing, so both run here.
    EXPECT_EQ(events,
              (std::vector<std::string>{"global:call:root gone", "global:call:second gone"}));
    events.clear();

    ASSERT_TRUE(ui().loadDocument("scripts/root.rml", true));
    ASSERT_TRUE(ui().addDocument("second.rml", true));
    ui().reloadCurrentDocuments();
    EXPECT_EQ(events, std::vector<std::string>{"global:call:second gone"});
}

TEST_F(RocketEventTest, CallReachesThePageHandlerThenTheGlobalOnesInOrder) {
    ui().registerPageEventHandler("scripts/next.rml", handler("wrong page"));
    ui().registerPageEventHandler("scripts/page.rml", handler("first page"));
    ui().registerPageEventHandler("scripts/page.rml", handler("page"));
    ui().registerGlobalEventHandler("second", handler("second"));
    ui().registerGlobalEventHandler("third", handler("third"));
    ui().registerGlobalEventHandler("second", handler("second again"));
    ASSERT_TRUE(runAs("inner", "call start_game 1  2"));
    EXPECT_EQ(events, (std::vector<std::string>{
                          "page:call:start_game 1 2", "global:call:start_game 1 2",
                          "third:call:start_game 1 2", "second again:call:start_game 1 2"}));
    events.clear();

    // Removing moves the last pair into the gap; the page handler leaves the globals alone.
    ui().removePageEventHandler("scripts/page.rml");
    ui().removeGlobalEventHandler("log");
    ui().removeGlobalEventHandler("unknown");
    ASSERT_TRUE(runAs("inner", "call again"));
    EXPECT_EQ(events, (std::vector<std::string>{"second again:call:again", "third:call:again"}));
}

TEST_F(RocketEventTest, ScriptErrorsAreLoggedWithTheirStart) {
    trellin_test::expectLog(
        "RocketTcl error: invalid command name \"this_is_no_command\" (root document =  "
        "scripts/page.rml)., command begins with 'this_is_no_comm");
    takeLog();
    EXPECT_FALSE(runAs("box", "this_is_no_command with arguments"));
    EXPECT_EQ(takeLog(),
              "\x1b[31mRocketTcl error: \x1b[37minvalid command name \"this_is_no_command\" "
              "(root document =  scripts/page.rml)., command begins with 'this_is_no_comm\n"
              "\x1b[37m");
    EXPECT_TRUE(ui().executeTclString("set short 1", "__empty__"));
}

TEST_F(RocketEventTest, DelayRunsOnceWhenDue) {
    ASSERT_TRUE(runAs("box", "delay 0.5 {call late [get_attribute this id]}"));
    ui().update(0.3);
    EXPECT_TRUE(events.empty());
    ui().update(0.3);
    EXPECT_EQ(events, std::vector<std::string>{"global:call:late box"});
    ui().update(1.0);
    EXPECT_EQ(events.size(), 1u);
}

TEST_F(RocketEventTest, RepeatRunsAtOnceThenOncePerDueUpdate) {
    ASSERT_TRUE(runAs("box", "repeat 1.0 {call tick}"));
    EXPECT_EQ(events.size(), 1u);
    ui().update(0.5);
    EXPECT_EQ(events.size(), 1u);
    ui().update(0.5);
    EXPECT_EQ(events.size(), 2u);
    // However many periods one long frame holds, it runs once.
    ui().update(3.0);
    EXPECT_EQ(events.size(), 3u);
    ASSERT_TRUE(runAs("inner", "repeat stop_this"));
    ui().update(1.0);
    EXPECT_EQ(events.size(), 4u);
    ASSERT_TRUE(runAs("box", "repeat stop_this"));
    ui().update(1.0);
    EXPECT_EQ(events.size(), 4u);

    // Time 0: at once and then on every update until stopped.
    ASSERT_TRUE(runAs("box", "repeat 0 {call zero}"));
    ui().update(0.0);
    ui().update(0.0);
    EXPECT_EQ(events.size(), 7u);
    ASSERT_TRUE(runAs("box", "repeat stop_all"));
    ui().update(0.0);
    EXPECT_EQ(events.size(), 7u);
}

TEST_F(RocketEventTest, FlashSwapsClassesEachPeriodUntilStopped) {
    ASSERT_TRUE(runAs("box", "flash box 0 lit"));
    ASSERT_TRUE(runAs("box", "flash box -1 lit"));
    EXPECT_EQ(attribute("box", "class"), "plain");
    EXPECT_TRUE(ui().getFlashTimers().empty());

    ASSERT_TRUE(runAs("box", "flash box 0.25 lit"));
    EXPECT_EQ(attribute("box", "class"), "lit");
    ui().update(0.25);
    EXPECT_EQ(attribute("box", "class"), "plain");
    ui().update(0.25);
    EXPECT_EQ(attribute("box", "class"), "lit");
    ASSERT_TRUE(runAs("box", "flash this stop"));
    EXPECT_EQ(attribute("box", "class"), "plain");
    EXPECT_TRUE(ui().getFlashTimers().empty());
}

TEST_F(RocketEventTest, DueDelaysRunInStartOrderAfterTheFlashSwaps) {
    ASSERT_TRUE(runAs("box", "flash box 1.0 lit"));
    ASSERT_TRUE(runAs("box", "delay 1.0 {call first [get_attribute box class]}"));
    ASSERT_TRUE(runAs("box", "delay 0.5 {call second [get_attribute box class]}"));
    ui().update(1.0);
    EXPECT_EQ(events,
              (std::vector<std::string>{"global:call:first plain", "global:call:second plain"}));
}

TEST_F(RocketEventTest, ClosingADocumentDropsItsTimers) {
    trellin_test::expectLog("Rocket Error: Failed to load document next.rml, could not open file.");
    ASSERT_TRUE(ui().addDocument("next.rml", true));
    ASSERT_TRUE(runAs("box", "delay 1 {load_document next.rml}"));
    ASSERT_TRUE(runAs("next", "delay 1 {call from next}; repeat 1 {call tick next}"));
    ASSERT_TRUE(runAs("box", "delay 1 {call from page}"));
    events.clear();
    // The first due command replaces both documents: what is due for them does not run.
    ui().update(1.0);
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(ui().getDelayTimers().empty());
    EXPECT_TRUE(ui().getRepeatTimers().empty());
    EXPECT_EQ(ui().getRootDocument(), "scripts/next.rml");
}

// A script that replaced its own page, or the unload script of a closing page, starts no timer:
// the lists hold nothing for a closed document.
TEST_F(RocketEventTest, AClosedPageStartsNoTimers) {
    trellin_test::expectLog(
        "Rocket Error: Failed to load document other.rml, could not open file.");
    writeDocument("scripts/other.rml", "<p id='o'>o</p>",
                  "onunload='repeat 1 {call ghost}; delay 1 {call ghost}; flash this 1 lit'");
    ASSERT_TRUE(ui().addDocument("other.rml", true));
    ASSERT_TRUE(runAs("box",
                      "load_document next.rml; repeat 1 {call tick}; delay 1 {call late}; "
                      "flash this 1 lit"));
    EXPECT_TRUE(ui().getRepeatTimers().empty());
    EXPECT_TRUE(ui().getDelayTimers().empty());
    EXPECT_TRUE(ui().getFlashTimers().empty());
    events.clear();
    for (int i = 0; i < 3; ++i) {
        ui().update(1.0);
    }
    EXPECT_TRUE(events.empty());
    // The page that is open now still starts its timers.
    ASSERT_TRUE(runAs("next", "repeat 1 {call tick}"));
    EXPECT_EQ(ui().getRepeatTimers().size(), 1u);
}

TEST_F(RocketEventTest, PostloadRunsOnceAtTheNextUpdate) {
    trellin_test::expectLog("Rocket Error: Failed to load document post.rml, could not open file.");
    writeDocument("scripts/post.rml", "<p>p</p>", "onpostload='call posted'");
    ASSERT_TRUE(ui().addDocument("post.rml", true));
    EXPECT_TRUE(events.empty());
    ui().update(0.0);
    ui().update(0.0);
    EXPECT_EQ(events, std::vector<std::string>{"global:call:posted"});
}

}  // namespace
