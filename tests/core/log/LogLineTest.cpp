#include <gtest/gtest.h>

#include <string>

#include "core/log/ErrorLine.h"
#include "core/log/Logger.h"
#include "core/log/SaidOnce.h"
#include "tests/core/log/CapturedOutput.h"
#include "tests/support/LogCheck.h"

namespace orvo {
namespace {

// What the process's logger writes, copied into a string for the test's length.
class LogLineTest : public ::testing::Test {
protected:
    LogLineTest() { trellin_test::copyLog(&console); }
    ~LogLineTest() override { trellin_test::copyLog(nullptr); }

    std::string console;
};

TEST_F(LogLineTest, EachKindColoursItsPrefixOnly) {
    for (const char* line :
         {"File Error: what detail", "Game Warning: what detail", "Rocket Message: what detail",
          "Audio: no sound device", "no end of line"}) {
        trellin_test::expectLog(line);
    }
    const struct {
        LineKind kind;
        const char* prefix;
        const char* written;
    } cases[] = {
        {LineKind::ERROR, "File Error: ", "\x1b[31mFile Error: \x1b[37mwhat detail\n\x1b[37m"},
        {LineKind::WARNING,
         "Game Warning: ", "\x1b[33mGame Warning: \x1b[37mwhat detail\n\x1b[37m"},
        {LineKind::PLAIN, "Rocket Message: ", "Rocket Message: what detail\n\x1b[37m"},
    };
    for (const auto& c : cases) {
        console.clear();
        logLine(c.kind, c.prefix, {"what ", "detail"});
        EXPECT_EQ(console, c.written) << c.prefix;
    }

    console.clear();
    logWarningLine("Audio: ", "no sound device", "");
    logText("no end ");
    logLine(LineKind::PLAIN, nullptr, {"of line"});
    EXPECT_EQ(withoutColours(console), "Audio: no sound device\nno end of line\n");
    EXPECT_EQ(console.rfind("\x1b[33mAudio: ", 0), 0u) << console;
}

TEST(SaidOnce, SaysOnceUntilForgottenOrTheSubjectChanges) {
    SaidOnce said;
    EXPECT_TRUE(said.first());
    EXPECT_FALSE(said.first());
    said.forget();
    EXPECT_TRUE(said.first());

    SaidOnce about;
    const struct {
        const char* subject;
        bool first;
    } steps[] = {{"a", true}, {"a", false}, {"b", true}, {"a", true}, {"a", false}};
    for (const auto& step : steps) {
        EXPECT_EQ(about.firstFor(step.subject), step.first) << step.subject;
    }
    about.forget();
    EXPECT_TRUE(about.firstFor("a"));
}

}  // namespace
}  // namespace orvo
