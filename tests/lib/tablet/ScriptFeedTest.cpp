#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "lib/tablet/ScriptLine.h"
#include "lib/tablet/feed.h"
#include "tests/lib/tablet/TabletEvents.h"

namespace {

using tablet::ScriptAction;
using tablet::ScriptLine;

struct LineCase {
    const char* line;
    ScriptLine::Result result;
    unsigned long long drain;
    SeenEvent event;
    ScriptAction::Kind kind = ScriptAction::Kind::Event;
    const char* path = "";
};

// Names each case by its line in the test list.
void PrintTo(const LineCase& c, std::ostream* out) {
    *out << '"';
    for (const char* p = c.line; *p; ++p) {
        if (*p == '\t')
            *out << "\\t";
        else if (*p == '\r')
            *out << "\\r";
        else
            *out << *p;
    }
    *out << '"';
}

SeenEvent none() { return SeenEvent{}; }

class ScriptLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ScriptLineTest, Parses) {
    const LineCase& c = GetParam();
    unsigned long long drain = 0;
    ScriptAction action;
    std::string error;
    ASSERT_EQ(ScriptLine::parse(c.line, drain, action, error), c.result) << c.line;
    if (c.result == ScriptLine::Result::Action) {
        EXPECT_EQ(drain, c.drain);
        EXPECT_EQ(action.kind, c.kind);
        if (c.kind == ScriptAction::Kind::Event) {
            EXPECT_EQ(SeenEvent::of(&action.event), c.event);
        }
        EXPECT_EQ(action.path, c.path);
    }
    EXPECT_EQ(error.empty(), c.result != ScriptLine::Result::Bad);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ScriptLineTest,
    ::testing::Values(
        LineCase{"", ScriptLine::Result::Empty, 0, none()},
        LineCase{"  \t\r", ScriptLine::Result::Empty, 0, none()},
        LineCase{"# 3 touch 0 1 2", ScriptLine::Result::Empty, 0, none()},
        LineCase{"3 touch 0 1023 599", ScriptLine::Result::Action, 3,
                 SeenEvent::touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 1023, 599)},
        LineCase{"\t4  move 9 -1 2\r", ScriptLine::Result::Action, 4,
                 SeenEvent::touch(SCREEN_EVENT_MTOUCH_MOVE, 9, -1, 2)},
        LineCase{"0 release 12 5 6", ScriptLine::Result::Action, 0,
                 SeenEvent::touch(SCREEN_EVENT_MTOUCH_RELEASE, 12, 5, 6)},
        LineCase{"1 window thumbnail", ScriptLine::Result::Action, 1,
                 SeenEvent::windowStateEvent(NAVIGATOR_WINDOW_THUMBNAIL)},
        LineCase{"1 window invisible", ScriptLine::Result::Action, 1,
                 SeenEvent::windowStateEvent(NAVIGATOR_WINDOW_INVISIBLE)},
        LineCase{"2 window fullscreen", ScriptLine::Result::Action, 2,
                 SeenEvent::windowStateEvent(NAVIGATOR_WINDOW_FULLSCREEN)},
        LineCase{"5 navigator 2", ScriptLine::Result::Action, 5,
                 SeenEvent::plain(navigator_get_domain(), NAVIGATOR_EXIT)},
        LineCase{"6 event -3 4294967295", ScriptLine::Result::Action, 6,
                 SeenEvent::plain(-3, 4294967295u)},
        LineCase{"8 close", ScriptLine::Result::Action, 8, none(), ScriptAction::Kind::Close},
        LineCase{"9 screenshot out/frame-1.png\r", ScriptLine::Result::Action, 9, none(),
                 ScriptAction::Kind::Screenshot, "out/frame-1.png"},
        LineCase{"8 close now", ScriptLine::Result::Bad, 0, none()},
        LineCase{"9 screenshot", ScriptLine::Result::Bad, 0, none()},
        LineCase{"9 screenshot my frame.png", ScriptLine::Result::Bad, 0, none()},
        LineCase{"18446744073709551615 navigator 1", ScriptLine::Result::Bad, 0, none()},
        // 2^64 and 2^64 + 1: numbers that would wrap around to 0 and 1.
        LineCase{"18446744073709551616 navigator 1", ScriptLine::Result::Bad, 0, none()},
        LineCase{"7 touch 0 18446744073709551617 2", ScriptLine::Result::Bad, 0, none()},
        LineCase{"touch 0 1 2", ScriptLine::Result::Bad, 0, none()},
        LineCase{"-1 touch 0 1 2", ScriptLine::Result::Bad, 0, none()},
        LineCase{"7", ScriptLine::Result::Bad, 0, none()},
        LineCase{"7 tap 0 1 2", ScriptLine::Result::Bad, 0, none()},
        LineCase{"7 touch 0 1", ScriptLine::Result::Bad, 0, none()},
        LineCase{"7 touch 0 1 2 3", ScriptLine::Result::Bad, 0, none()},
        LineCase{"7 touch 0 1x 2", ScriptLine::Result::Bad, 0, none()},
        LineCase{"7 touch 0 2147483648 2", ScriptLine::Result::Bad, 0, none()},
        LineCase{"7 touch - 1 2", ScriptLine::Result::Bad, 0, none()},
        LineCase{"7 window 0", ScriptLine::Result::Bad, 0, none()},
        LineCase{"7 window", ScriptLine::Result::Bad, 0, none()},
        LineCase{"7 navigator -1", ScriptLine::Result::Bad, 0, none()},
        LineCase{"7 navigator 4294967296", ScriptLine::Result::Bad, 0, none()},
        LineCase{"7 event 1", ScriptLine::Result::Bad, 0, none()},
        LineCase{"7 TOUCH 0 1 2", ScriptLine::Result::Bad, 0, none()}));

class ScriptFeedTest : public ::testing::Test {
protected:
    void TearDown() override {
        unsetenv("TRELLIN_TABLET_SCRIPT");
        tablet_feed_reset();
    }

    // Named after the test: tests run in parallel in one folder.
    std::string useScript(const std::string& text) {
        std::string name =
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".txt";
        std::ofstream(name, std::ios::binary) << text;
        setenv("TRELLIN_TABLET_SCRIPT", name.c_str(), 1);
        tablet_feed_reset();
        return name;
    }
};

TEST_F(ScriptFeedTest, EventsArriveInTheDrainTheirLineNamesAndBadLinesAreReported) {
    std::string script = useScript(
        "# a short session\n"
        "2 release 0 30 40\n"
        "0 touch 0 10 20\n"
        "\n"
        "0 move 0 11 21\n"
        "2 window thumbnail\n"
        "1 tap 0 1 2\n"
        "4 event 77 9\n"
        "2 navigator\n");
    ::testing::internal::CaptureStderr();
    std::vector<SeenEvent> first = drainEvents();
    std::string errors = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(first,
              (std::vector<SeenEvent>{SeenEvent::touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 10, 20),
                                      SeenEvent::touch(SCREEN_EVENT_MTOUCH_MOVE, 0, 11, 21)}));
    EXPECT_TRUE(drainEvents().empty());  // drain 1: only a bad line
    EXPECT_EQ(drainEvents(),
              (std::vector<SeenEvent>{SeenEvent::touch(SCREEN_EVENT_MTOUCH_RELEASE, 0, 30, 40),
                                      SeenEvent::windowStateEvent(NAVIGATOR_WINDOW_THUMBNAIL)}));
    EXPECT_TRUE(drainEvents().empty());
    EXPECT_EQ(drainEvents(), (std::vector<SeenEvent>{SeenEvent::plain(77, 9)}));
    EXPECT_TRUE(drainEvents().empty());

    EXPECT_NE(errors.find(script + ":7:"), std::string::npos) << errors;
    EXPECT_NE(errors.find("1 tap 0 1 2"), std::string::npos) << errors;
    EXPECT_NE(errors.find(script + ":9:"), std::string::npos) << errors;
    EXPECT_EQ(errors.find(script + ":2:"), std::string::npos) << errors;
}

// The input service sees a touch only by what a drain leaves behind: each drain takes one press
// or release of a touch id, and what came after it for that id waits its turn. Other ids and
// other events do not wait.
TEST_F(ScriptFeedTest, ADrainTakesOnePressOrReleaseOfATouchAndTheRestWaitsInOrder) {
    useScript(
        "0 touch 0 100 200\n"
        "0 release 0 100 200\n"
        "0 touch 0 100 200\n"
        "0 move 0 300 250\n"
        "0 release 0 300 250\n"
        "0 touch 1 5 6\n"
        "0 window thumbnail\n");
    const auto touch = [](int type, int x = 100, int y = 200) {
        return SeenEvent::touch(type, 0, x, y);
    };
    const std::vector<std::vector<SeenEvent>> expected = {
        {touch(SCREEN_EVENT_MTOUCH_TOUCH), SeenEvent::touch(SCREEN_EVENT_MTOUCH_TOUCH, 1, 5, 6),
         SeenEvent::windowStateEvent(NAVIGATOR_WINDOW_THUMBNAIL)},
        {touch(SCREEN_EVENT_MTOUCH_RELEASE)},
        {touch(SCREEN_EVENT_MTOUCH_TOUCH), touch(SCREEN_EVENT_MTOUCH_MOVE, 300, 250)},
        {touch(SCREEN_EVENT_MTOUCH_RELEASE, 300, 250)},
        {},
    };
    std::vector<std::vector<SeenEvent>> drains;
    for (std::size_t i = 0; i < expected.size(); ++i) drains.push_back(drainEvents());
    EXPECT_EQ(drains, expected);
}

TEST_F(ScriptFeedTest, ScriptAndTestFeedShareOneQueueAndAFailureEndsADrain) {
    useScript("1 navigator 2\n");
    tablet_feed_push_event(77, 1);
    EXPECT_EQ(drainEvents(), (std::vector<SeenEvent>{SeenEvent::plain(77, 1)}));
    tablet_feed_fail_next_get();
    bps_event_t* event = nullptr;
    EXPECT_EQ(bps_get_event(&event, 0), BPS_FAILURE);  // drain 1 ends at once
    EXPECT_EQ(drainEvents(), (std::vector<SeenEvent>{SeenEvent::plain(navigator_get_domain(), 2)}));
}

TEST_F(ScriptFeedTest, ResetReplaysTheScriptFromDrainZero) {
    useScript("0 window invisible\n");
    EXPECT_EQ(drainEvents().size(), 1u);
    EXPECT_TRUE(drainEvents().empty());
    tablet_feed_reset();
    EXPECT_EQ(drainEvents(),
              (std::vector<SeenEvent>{SeenEvent::windowStateEvent(NAVIGATOR_WINDOW_INVISIBLE)}));
}

TEST_F(ScriptFeedTest, WithoutAWindowAScreenshotIsReportedAndCloseStillEndsTheProcess) {
    std::string script = useScript(
        "0 screenshot no-window.png\n"
        "0 touch 0 1 2\n"
        "1 close\n"
        "1 touch 0 3 4\n");
    std::remove("no-window.png");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(drainEvents(),
              (std::vector<SeenEvent>{SeenEvent::touch(SCREEN_EVENT_MTOUCH_TOUCH, 0, 1, 2)}));
    std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find(script + ":1: cannot save the window as no-window.png: no window"),
              std::string::npos)
        << errors;
    EXPECT_FALSE(std::ifstream("no-window.png"));

    EXPECT_EXIT(
        {
            std::atexit([] { std::fputs("exit handler ran\n", stderr); });
            drainEvents();
            std::fputs("still running\n", stderr);
            std::_Exit(3);
        },
        ::testing::ExitedWithCode(0), "^exit handler ran\n$");
}

TEST_F(ScriptFeedTest, AMissingScriptIsReportedAndFeedsNothing) {
    setenv("TRELLIN_TABLET_SCRIPT", "no-such-script.txt", 1);
    tablet_feed_reset();
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(drainEvents().empty());
    std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("no-such-script.txt"), std::string::npos) << errors;
}

// What is not a script says so in a line or a few, keeps no more of itself than a line's worth
// and feeds what was good before it.
TEST_F(ScriptFeedTest, WhatIsNoScriptIsRefusedInAFewLines) {
    std::string binary;
    for (unsigned i = 0; i < 200000; ++i)
        binary.push_back(static_cast<char>(i * 2654435761u >> 24));
    const struct {
        const char* what;
        std::string path;  // "" : the text below, in a file of the test's
        std::string text;
        std::vector<std::string> said;
        size_t lines;
        std::vector<SeenEvent> fed;
    } cases[] = {
        {"a directory", ".", "", {"TRELLIN_TABLET_SCRIPT: . is not a regular file"}, 1, {}},
        {"an endless device", "/dev/zero", "", {"/dev/zero is not a regular file"}, 1, {}},
        {"a binary file",
         "",
         "0 window invisible\n" + binary,
         {":2: ", "more than 10 bad lines, the rest is not read"},
         11,
         {SeenEvent::windowStateEvent(NAVIGATOR_WINDOW_INVISIBLE)}},
        {"a line too long",
         "",
         "0 touch 0 1 2" + std::string(5000, ' ') + "x\n0 window invisible\n",
         {":1: longer than 1024 characters, line skipped: 0 touch 0 1 2 "},
         1,
         {SeenEvent::windowStateEvent(NAVIGATOR_WINDOW_INVISIBLE)}},
        // A terminal would run the sequences: retitle its window, clear its screen.
        {"a line with escape sequences",
         "",
         "0 tap \x1b]0;owned\x07\x1b[2J\xe2\x80\xae 1 2\n0 window invisible\n",
         {":1: unknown event kind, line skipped: 0 tap ?]0;owned??[2J??? 1 2\n"},
         1,
         {SeenEvent::windowStateEvent(NAVIGATOR_WINDOW_INVISIBLE)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.path.empty()) {
            useScript(c.text);
        } else {
            setenv("TRELLIN_TABLET_SCRIPT", c.path.c_str(), 1);
            tablet_feed_reset();
        }
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(drainEvents(), c.fed);
        const std::string errors = ::testing::internal::GetCapturedStderr();
        for (const std::string& said : c.said) {
            EXPECT_NE(errors.find(said), std::string::npos) << errors;
        }
        EXPECT_EQ(static_cast<size_t>(std::count(errors.begin(), errors.end(), '\n')), c.lines)
            << errors;
        EXPECT_LT(errors.size(), 2000u);
        // Nothing of the file reaches the terminal but printable ASCII.
        EXPECT_TRUE(std::all_of(errors.begin(), errors.end(), [](unsigned char b) {
            return b == '\n' || b == '\t' || (b >= 0x20 && b < 0x7f);
        })) << errors;
    }
}

}  // namespace
