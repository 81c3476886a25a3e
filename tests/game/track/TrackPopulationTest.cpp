#include <gtest/gtest.h>

#include <cstdint>

#include "core/maths/ZqMaths.h"
#include "game/objects/AirCraft.h"
#include "tests/game/support/WorldFixture.h"

using orvo::ZqMaths;
using orvo::ZqVector;

namespace {

// How many draws of the engine's generator have been made since it was seeded: its next value
// is looked up in the sequence the seed starts, generated here from the generator's formula.
int drawsSince(uint32_t seed) {
    int next = 0;
    ZqMaths::unitRandom(0, &next);
    uint32_t state = seed;
    for (int n = 0; n < 64; ++n) {
        state = state * 1103515245u + 12345u;
        if (static_cast<int>((state / 65536u) % 32768u) == next) {
            return n;
        }
    }
    return -1;
}

struct Wall {
    int lane;
    float x;
};

void expectWalls(const TileInfo& tile, std::initializer_list<Wall> walls) {
    ASSERT_EQ(tile.wallPositions.size(), 4u) << "tile " << tile.index;
    std::size_t count = 0;
    for (const auto& lane : tile.wallPositions) {
        count += lane.size();
    }
    EXPECT_EQ(count, walls.size()) << "tile " << tile.index;
    std::size_t seen[4] = {};
    for (const Wall& wall : walls) {
        const auto& lane = tile.wallPositions[wall.lane];
        ASSERT_LT(seen[wall.lane], lane.size()) << "tile " << tile.index;
        const ZqVector<3>& at = lane[seen[wall.lane]++];
        EXPECT_FLOAT_EQ(at.x, wall.x) << "tile " << tile.index;
        EXPECT_EQ(at.y, 0.0f);
        EXPECT_EQ(at.z, tile.lanePositions[wall.lane].z);
    }
}

class TrackPopulationTest : public trellin_test::WorldFixture {
protected:
    // A fresh chain of tiles 0 to 2, then tile 3 laid after the seed at the given distance.
    const TileInfo& layFourthTile(uint32_t seed, uint32_t distance) {
        world->tiles().resetTiles();
        for (int i = 0; i < 3; ++i) {
            world->tiles().addTileProcedure(TileInfo::STRAIGHT_X, TileInfo::SIDE_NEGATIVE_X, 19.0f);
        }
        player().distance = distance;
        objects().powerupTimer = 9.0f;
        ZqMaths::setRandomSeed(seed);
        world->tiles().addTileProcedure(TileInfo::STRAIGHT_X, TileInfo::SIDE_NEGATIVE_X, 19.0f);
        return *world->tiles().getTileInfo(3);
    }
};

// The walls of a run's first seven tiles, worked out from the generator seeded with 1337:
// per tile two rows of (lane draw, kind draw, place draw), all walls at distance 0.
TEST_F(TrackPopulationTest, TheFirstRunLaysTheTrackTheSeedGives) {
    world->startRun();
    world->frame();
    ASSERT_EQ(world->tiles().getTileCount(), 7u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(world->tiles().getTileInfo(i)->wallPositions.empty());
    }
    expectWalls(*world->tiles().getTileInfo(3), {{0, -53.7008324f}, {3, -54.1687889f}});
    expectWalls(*world->tiles().getTileInfo(4), {{2, -70.0988159f}, {3, -80.4181671f}});
    expectWalls(*world->tiles().getTileInfo(5), {{3, -86.9042969f}, {3, -96.500412f}});
    expectWalls(*world->tiles().getTileInfo(6), {{1, -113.441147f}, {0, -115.597397f}});
    EXPECT_TRUE(objects().getEnemies().empty());
    EXPECT_FALSE(objects().powerupActive);
}

TEST_F(TrackPopulationTest, TilesMadeOutsideASessionStayEmpty) {
    world->frame();  // on the title
    ASSERT_EQ(world->tiles().getTileCount(), 7u);
    for (const auto& tile : world->tiles().getTiles()) {
        EXPECT_TRUE(tile->wallPositions.empty());
        EXPECT_EQ(tile->lanePositions.size(), 4u);
    }
}

TEST_F(TrackPopulationTest, DistanceDecidesRowsPowerUpsAndEnemies) {
    world->startRun();
    // 400: two rows of three draws, no power-up draw; the first row's kind (4.18) would make
    // an enemy further on, but not yet.
    expectWalls(layFourthTile(2, 400), {{0, -51.952961f}, {1, -59.2836685f}});
    EXPECT_EQ(drawsSince(2), 6);
    EXPECT_TRUE(objects().getEnemies().empty());
    // 401: the power-up draw comes first (0.028, out of its window), then the rows; the
    // second row's kind of 4.96 asks for an enemy.
    expectWalls(layFourthTile(2, 401), {{2, -53.1163254f}});
    EXPECT_EQ(drawsSince(2), 7);
    ASSERT_EQ(objects().getEnemies().size(), 1u);
    EXPECT_FLOAT_EQ(objects().getEnemies()[0]->position.x, -60.5366249f);
    EXPECT_EQ(objects().getEnemies()[0]->position.y, 1.0f);
    EXPECT_EQ(objects().getEnemies()[0]->position.z, -3.0f);
    // 900 still two rows; 901 three.
    layFourthTile(2, 900);
    EXPECT_EQ(drawsSince(2), 7);
    layFourthTile(2, 901);
    EXPECT_EQ(drawsSince(2), 10);
}

TEST_F(TrackPopulationTest, APowerUpDrawInsideItsWindowPlacesThePowerUp) {
    world->startRun();
    // Seed 8: u = 0.111, lane draw 3.96 (lane 3), place 0.797; then an enemy and a wall.
    expectWalls(layFourthTile(8, 401), {{0, -52.7514420f}});
    EXPECT_EQ(drawsSince(8), 9);
    ASSERT_TRUE(objects().powerupActive);
    const ZqVector<3> at = objects().getPowerupPosition();
    EXPECT_FLOAT_EQ(at.x, -53.8750839f);
    EXPECT_EQ(at.y, 1.0f);
    EXPECT_EQ(at.z, -3.0f);
    EXPECT_EQ(objects().powerupTimer, 0.0f);
    ASSERT_EQ(objects().getEnemies().size(), 1u);
    EXPECT_EQ(objects().getEnemies()[0]->position.z, -1.0f);
}

}  // namespace
