#include <gtest/gtest.h>

#include <string>

#include "core/locator/ServiceSingleton.h"
#include "core/log/Logger.h"
#include "game/app/ApplicationLoop.h"
#include "game/manager/GameManager.h"
#include "graphics/shader/ShaderCache.h"
#include "tests/game/app/GameFixture.h"

using namespace orvo;

namespace {

class DataLoadTest : public trellin_test::GameTest {
protected:
    DataLoadTest() { loadOnSetUp = false; }
};

// Loading the data again after it was destroyed keeps one updater per uniform.
TEST_F(DataLoadTest, ALoadAfterADestroyDoesNotGrowTheUpdaterRegistry) {
    start();
    ASSERT_NE(ShaderCache::instance_, nullptr);
    const std::size_t registered = ShaderCache::instance_->getRegistry().size();
    game().destroyGameData();
    game().loadGameData();
    EXPECT_TRUE(game().initialised);
    EXPECT_EQ(ShaderCache::instance_->getRegistry().size(), registered);
}

// Without the updaters nothing would draw right: the load says so and stops, and the loop
// runs no frame of a game that is not there.
TEST_F(DataLoadTest, ALoadWhoseUpdatersCannotBeRegisteredSaysSoAndStops) {
    boot();
    Locator::deregisterService<ShaderCache>();
    EXPECT_FALSE(applicationLoop());
    EXPECT_FALSE(game().initialised);
    EXPECT_NE(std::string(ZqLog.getLine()).find("shader parameter updaters"), std::string::npos)
        << ZqLog.getLine();
    EXPECT_FALSE(applicationLoop());
}

}  // namespace
