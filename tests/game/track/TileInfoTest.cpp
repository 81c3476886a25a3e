#include <gtest/gtest.h>

#include "game/time/TimeManager.h"
#include "game/track/TileInfo.h"

using orvo::ZqVector;
typedef GameObject::GameWorldDirection Direction;

namespace {

// Tiles made outside a session: their lane points and no population.
class TileInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        TimeManager::instance_ = &time;
        setStep(1.0);
    }
    void TearDown() override { TimeManager::instance_ = nullptr; }
    // With speed 1 the step of a move is dt.
    void setStep(double dt) { time.getTimer(TimeManager::WORLD_TIMER).lastDelta = dt; }
    static TileInfo tile(TileInfo::TileType type, const ZqVector<3>& centre = ZqVector<3>()) {
        TileInfo t;
        t.initialise(7, type, centre, TileInfo::SIDE_NEGATIVE_X);
        return t;
    }

    TimeManager time;
};

TEST_F(TileInfoTest, LanePointsFollowTheTypeAndUnpopulatedTilesHaveNoWallLists) {
    const TileInfo straight = tile(TileInfo::STRAIGHT_X, ZqVector<3>(-19.0f, 0.0f, 0.0f));
    ASSERT_EQ(straight.lanePositions.size(), 4u);
    const float z[4] = {3, 1, -1, -3};
    for (int lane = 0; lane < 4; ++lane) {
        EXPECT_EQ(straight.lanePositions[lane].x, -19.0f);
        EXPECT_EQ(straight.lanePositions[lane].z, z[lane]);
    }
    EXPECT_TRUE(straight.wallPositions.empty());
    EXPECT_EQ(tile(TileInfo::STRAIGHT_Z).lanePositions[0].x, 3.0f);
    const TileInfo corner = tile(TileInfo::CORNER_NX_PZ);
    EXPECT_EQ(corner.lanePositions[0].x, -3.0f);
    EXPECT_EQ(corner.lanePositions[0].z, 3.0f);
    EXPECT_EQ(corner.lanePositions[3].x, 3.0f);
}

TEST_F(TileInfoTest, LaneIndexNeedsAnExactCoordinate) {
    const TileInfo t = tile(TileInfo::STRAIGHT_X);
    EXPECT_EQ(t.getObjectLaneIndex(ZqVector<3>(5.0f, 1.0f, -1.0f), Direction(0)), 2);
    EXPECT_EQ(t.getObjectLaneIndex(ZqVector<3>(5.0f, 1.0f, 1.0001f), Direction(0)), -1);
    // Travel along Z compares x.
    EXPECT_EQ(t.getObjectLaneIndex(ZqVector<3>(3.0f, 1.0f, -1.0f), Direction(2)), -1);
    EXPECT_EQ(tile(TileInfo::STRAIGHT_Z).getObjectLaneIndex(ZqVector<3>(-3, 0, 9), Direction(3)),
              3);
}

TEST_F(TileInfoTest, StraightMovesAlongItsLaneAndIsLeftAtTheEdge) {
    const TileInfo t = tile(TileInfo::STRAIGHT_X);
    ZqVector<3> p(-9.0f, 1.0f, 0.5f);
    Direction d = Direction(0);
    bool exited = false;
    setStep(1.5);
    t.updateObjectPosition(p, 1.0f, d, 1, exited);
    EXPECT_EQ(p.x, -10.5f);
    EXPECT_EQ(p.z, 1.0f);  // snapped onto the lane
    EXPECT_EQ(p.y, 1.0f);
    EXPECT_FALSE(exited);
    setStep(0.5);
    t.updateObjectPosition(p, 1.0f, d, 1, exited);
    EXPECT_EQ(p.x, -11.0f);
    EXPECT_TRUE(exited);
    // A direction across the straight leaves the object where it is.
    ZqVector<3> across(0.0f, 1.0f, 0.0f);
    Direction z = Direction(3);
    bool out = false;
    t.updateObjectPosition(across, 1.0f, z, 1, out);
    EXPECT_EQ(across.z, 0.0f);
    EXPECT_FALSE(out);
}

TEST_F(TileInfoTest, CornerCarriesTheOvershootRoundAndIsLeftAtTheExitEdge) {
    // +X/+Z corner entered towards -X at the +X edge, lane 1 at (1, 1): it leaves towards +Z.
    const TileInfo t = tile(TileInfo::CORNER_PX_PZ);
    ZqVector<3> p(1.25f, 1.0f, 1.0f);
    Direction d = Direction(0);
    bool exited = false;
    setStep(0.75);
    t.updateObjectPosition(p, 1.0f, d, 1, exited);
    EXPECT_EQ(d, Direction(3));
    EXPECT_EQ(p.x, 1.0f);
    EXPECT_EQ(p.z, 1.5f);
    EXPECT_FALSE(exited);
    setStep(9.5);
    t.updateObjectPosition(p, 1.0f, d, 1, exited);
    EXPECT_EQ(p.z, 11.0f);
    EXPECT_TRUE(exited);
}

}  // namespace
