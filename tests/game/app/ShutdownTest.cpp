#include <gtest/gtest.h>

#include "game/app/ApplicationShutdown.h"
#include "game/manager/GameManager.h"
#include "game/objects/AirCraft.h"
#include "tests/game/app/GameFixture.h"

namespace {

using trellin_test::recordBytes;

class ShutdownTest : public trellin_test::GameTest {
protected:
    ShutdownTest() { loadOnSetUp = false; }
};

// Closing the game while it loads (its first drain of events is inside the load) must not
// write the craft's empty results over a good record.
TEST_F(ShutdownTest, AnExitBeforeTheDataAreLoadedKeepsTheRecord) {
    const std::string good = recordBytes(812, 77, 900, 4000, 5);
    writeRecord(good);
    boot();
    applicationShutdown();
    EXPECT_EQ(record(), good);
    EXPECT_EQ(GameManager::instance_, nullptr);
}

TEST_F(ShutdownTest, AnExitDuringASessionSavesItsResultsAndKeepsTheSpareWord) {
    writeRecord(recordBytes(812, 77, 900, 4000, 5));
    start();
    click("start");
    turns(3);
    player().score = 500.7f;
    player().distance = 321;
    applicationShutdown();
    EXPECT_EQ(record(), recordBytes(812, 500, 321, 4000, 5));
    // A second run of the handler (the fixture's) finds nothing left to do.
    applicationShutdown();
}

}  // namespace
