#include <gtest/gtest.h>

#include <vector>

#include "game/manager/GameManager.h"
#include "game/objects/AirCraft.h"
#include "game/scene/SceneManager.h"
#include "game/track/TileManager.h"
#include "tests/game/app/GameFixture.h"
#include "tests/game/support/SeedTrack.h"

namespace {

// The pages draw between a run's reseed and its track: the title, the HUD and its score every
// frame, the restart page. Whatever they draw, every run lays the track of the seed.
class RunTrackTest : public trellin_test::GameTest {
protected:
    // The walls of tiles 3 to 6 once a run started from the page's button has laid them.
    std::vector<orvo::ZqVector<3>> runWalls(const char* button) {
        click(button);
        std::vector<orvo::ZqVector<3>> walls;
        const TileManager& tiles = *SceneManager::instance_->getTileManager();
        for (int count = 0; count < 20 && tiles.getTileCounter() < 6; ++count) {
            turns(1);
        }
        for (const auto& tile : tiles.getTiles()) {
            for (const auto& lane : tile->wallPositions) {
                walls.insert(walls.end(), lane.begin(), lane.end());
            }
        }
        return walls;
    }
    static std::vector<float> coordinates(const std::vector<orvo::ZqVector<3>>& walls) {
        std::vector<float> values;
        for (const orvo::ZqVector<3>& wall : walls) {
            values.insert(values.end(), {wall.x, wall.y, wall.z});
        }
        return values;
    }
};

TEST_F(RunTrackTest, EveryRunLaysTheTrackOfItsSeed) {
    const std::vector<float> expected = coordinates(trellin_test::seedTrackWalls());
    EXPECT_EQ(coordinates(runWalls("start")), expected);
    turns(40);
    crashToRestartPage();
    EXPECT_EQ(coordinates(runWalls("again")), expected);
}

}  // namespace
