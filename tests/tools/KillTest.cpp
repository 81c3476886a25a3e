// The real game killed with SIGKILL in its first record write (at the first crash), and just
// after it: the score record is whole after each kill.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "tests/core/file/TempDirectory.h"
#include "tools/killtest/KillRun.h"

namespace {

using trellin_test::TempDirectory;

TEST(KillTest, RecordIsWholeAfterEveryKill) {
    if (getenv("DISPLAY") == nullptr) {
        GTEST_SKIP() << "needs an X display";
    }
    TempDirectory folder;
    const std::string good = prepareFolder(TRELLIN_RUN_FOLDER, folder.path());
    ASSERT_FALSE(good.empty());
    const KillTally tally =
        killRuns(TRELLIN_GAME, folder.path(), good, 2, 1, 7,
                 [](int run, KillRun::Outcome outcome, const std::string& fault) {
                     EXPECT_EQ(fault, "") << "run " << run << ": " << KillTally::NAMES[outcome];
                     EXPECT_NE(outcome, KillRun::NOT_STARTED) << "run " << run;
                 });
    EXPECT_EQ(tally.faults, 0);
}

TEST(KillTest, RecordFaults) {
    std::string good(20, '\0');
    good[0] = 100;
    good[12] = 50;
    std::string better = good;
    better[0] = 101;
    std::string lowerBest = good;
    lowerBest[0] = 99;
    std::string lowerDistance = good;
    lowerDistance[12] = 49;
    std::string spare = good;
    spare[16] = 1;
    const struct {
        std::string record;
        std::string fault;
    } cases[] = {
        {good, ""},
        {better, ""},
        {"", "the record has 0 bytes"},
        {good.substr(0, 8), "the record has 8 bytes"},
        {good + "x", "the record has 21 bytes"},
        {lowerBest, "the best score went down"},
        {lowerDistance, "the best distance went down"},
        {spare, "the spare word changed"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(recordFault(c.record, good), c.fault) << c.fault;
    }
}

}  // namespace
