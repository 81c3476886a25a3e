// The main of every test program of the system: Google Test with the log check around each test.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/LogCheck.h"

namespace {

class LogCheckListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        trellin_test::LogCheck::instance().beginTest();
    }
    // Listeners end in the reverse order of their start, so these failures come before the
    // printer reports the test.
    void OnTestEnd(const ::testing::TestInfo& test) override {
        const bool stoppedEarly = test.result()->Skipped() || test.result()->Failed();
        for (const std::string& failure :
             trellin_test::LogCheck::instance().endTest(stoppedEarly)) {
            ADD_FAILURE() << failure;
        }
    }
    // Lines of a suite's set-up or tear-down fail the suite.
    void OnTestSuiteEnd(const ::testing::TestSuite&) override {
        for (const std::string& line : trellin_test::LogCheck::instance().takeLinesOutsideTests()) {
            ADD_FAILURE() << "log line written outside any test: " << line;
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new LogCheckListener());
    trellin_test::captureLog();
    int status = RUN_ALL_TESTS();
    const std::vector<std::string> outside =
        trellin_test::LogCheck::instance().takeLinesOutsideTests();
    for (const std::string& line : outside) {
        std::fprintf(stderr, "log line written outside any test: %s\n", line.c_str());
        status = 1;
    }
    return status;
}
