#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/log/ErrorLine.h"
#include "core/log/Logger.h"
#include "core/log/LoggerOutputCout.h"
#include "tests/core/log/CapturedOutput.h"
#include "tests/support/LogCheck.h"

using trellin_test::ANY_NUMBER;
using trellin_test::LogCheck;

namespace {

// A check of its own as the logger's output for one simulated test; the process's check takes
// the logger back at the end.
class LogCheckTest : public ::testing::Test {
protected:
    void SetUp() override { check.beginTest(); }
    void TearDown() override { trellin_test::captureLog(); }

    static void error(const char* what, const char* detail) {
        orvo::logErrorLine("File Error: ", what, detail);
    }
    // The failures of the simulated test, in one text.
    std::string failures() {
        std::string all;
        for (const std::string& failure : check.endTest()) {
            all += failure + "\n";
        }
        return all;
    }

    LogCheck check;
};

// A line comes in pieces with colour escapes between them; it is compared as its plain text.
TEST_F(LogCheckTest, ADeclaredLinePassesAndAnUndeclaredOneFails) {
    check.expect("File Error: cannot open a.txt", false, 1);
    error("cannot open ", "a.txt");
    error("cannot open ", "b.txt");
    EXPECT_EQ(failures(),
              "log lines the test did not declare (trellin_test::expectLog):\n"
              "  File Error: cannot open b.txt\n");
}

TEST_F(LogCheckTest, EachDeclarationMustSeeItsCount) {
    struct Case {
        int declared;
        int written;
        bool passes;
    };
    const std::vector<Case> cases = {{1, 1, true},         {2, 1, false}, {1, 3, false},
                                     {0, 0, true},         {0, 1, false}, {ANY_NUMBER, 0, true},
                                     {ANY_NUMBER, 5, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.declared) + " declared, " + std::to_string(c.written) +
                     " written");
        check.beginTest();
        check.expect("File Error: cannot read x", false, c.declared);
        for (int i = 0; i < c.written; ++i) {
            error("cannot read ", "x");
        }
        const std::string found = failures();
        EXPECT_EQ(found.empty(), c.passes) << found;
        if (!c.passes && c.declared > 0) {
            EXPECT_NE(found.find(", saw " + std::to_string(c.written)), std::string::npos) << found;
        }
    }
}

// A pattern matches the whole line; a line goes to the first declaration that still lacks
// lines, so a particular line can be declared before a pattern that covers the rest.
// A test that stopped early (skipped, or failed already) may lack its declared lines; more than
// declared, or undeclared ones, still fail it.
TEST_F(LogCheckTest, ATestThatStoppedEarlyFailsOnlyOnLinesItDidNotExpect) {
    check.expect("File Error: cannot read x", false, 2);
    error("cannot read ", "x");
    EXPECT_EQ(check.endTest(true), std::vector<std::string>{});

    check.beginTest();
    check.expect("File Error: cannot read x", false, 1);
    error("cannot read ", "x");
    error("cannot read ", "x");
    error("cannot read ", "y");
    EXPECT_EQ(check.endTest(true).size(), 2u);
}

TEST_F(LogCheckTest, PatternsMatchWholeLinesAfterTheDeclarationsBeforeThem) {
    check.expect("File Error: cannot open a.txt", false, 1);
    check.expect("File Error: cannot open [a-z]+\\.txt", true, 2);
    check.expect("cannot open", true, ANY_NUMBER);
    error("cannot open ", "a.txt");
    error("cannot open ", "b.txt");
    error("cannot open ", "c.txt");
    error("cannot open ", "d.bin");
    EXPECT_EQ(failures(),
              "log lines the test did not declare (trellin_test::expectLog):\n"
              "  File Error: cannot open d.bin\n");
}

// Code that installs an output of its own takes the lines away from the check: the test fails
// unless it gives the logger back.
TEST_F(LogCheckTest, AnOutputLeftInPlaceFailsTheTest) {
    orvo::ZqLog.setOutputFunctor(new orvo::LoggerOutputCout());
    EXPECT_NE(failures().find("was replaced"), std::string::npos);

    check.beginTest();
    orvo::ZqLog.setOutputFunctor(new orvo::LoggerOutputCout());
    check.install();
    error("cannot open ", "a.txt");
    EXPECT_NE(failures().find("  File Error: cannot open a.txt\n"), std::string::npos);
}

TEST_F(LogCheckTest, TheCopyHasTheTextsAsWritten) {
    std::string copy;
    check.copyTo(&copy);
    check.expect("File Error: cannot open [ab].txt", true, 2);
    error("cannot open ", "a.txt");
    check.copyTo(nullptr);
    error("cannot open ", "b.txt");
    EXPECT_EQ(orvo::withoutColours(copy), "File Error: cannot open a.txt\n");
    EXPECT_EQ(copy.front(), '\x1b');
    EXPECT_EQ(failures(), "");
}

TEST_F(LogCheckTest, LinesBetweenTestsAreKeptApart) {
    failures();
    error("cannot open ", "between.txt");
    EXPECT_EQ(check.takeLinesOutsideTests(),
              std::vector<std::string>{"File Error: cannot open between.txt"});
    EXPECT_TRUE(check.takeLinesOutsideTests().empty());
}

}  // namespace
