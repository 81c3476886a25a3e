#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include "game/model/SharedMatrix.h"
#include "game/track/TileManager.h"
#include "graphics/GraphicsSystem.h"
#include "tests/game/support/RecordingTarget.h"

using orvo::ZqVector;
using trellin_test::RecordingTarget;

namespace {

TEST(TileManagerTest, FirstUpdateLaysSevenStraightsTowardsNegativeX) {
    TileManager tiles;
    EXPECT_FALSE(tiles.getTileInfo(0));  // an empty chain has no tile to give
    tiles.laneModeTilesUpdate();
    ASSERT_EQ(tiles.getTileCount(), 7u);
    for (uint32_t i = 0; i < 7; ++i) {
        const TileInfo& tile = *tiles.getTileInfo(i);
        EXPECT_EQ(tile.index, i);
        EXPECT_EQ(tile.centre.x, -19.0f * static_cast<float>(i));
        EXPECT_EQ(tile.centre.z, 0.0f);
        EXPECT_EQ(tile.type, TileInfo::STRAIGHT_X);
        EXPECT_EQ(tile.direction, TileInfo::SIDE_NEGATIVE_X);
    }
    EXPECT_EQ(tiles.getTileInfo(99), tiles.getTileInfo(6));
    tiles.laneModeTilesUpdate();
    EXPECT_EQ(tiles.getTileCount(), 7u);
    EXPECT_EQ(tiles.getTileCounter(), 6u);
}

TEST(TileManagerTest, TheChainAdvancesBehindTheCraftAndRestartsAfterAReset) {
    TileManager tiles;
    tiles.laneModeTilesUpdate();
    const boost::shared_ptr<TileInfo> second = tiles.getTileInfo(1);
    EXPECT_EQ(tiles.laneModeUpdateTileArray(1), 1u);
    EXPECT_EQ(tiles.getTileCount(), 7u);
    EXPECT_EQ(tiles.laneModeUpdateTileArray(2), 0u);
    ASSERT_EQ(tiles.getTileCount(), 6u);
    EXPECT_EQ(tiles.getTileInfo(0), second);
    tiles.laneModeTilesUpdate();
    ASSERT_EQ(tiles.getTileCount(), 7u);
    EXPECT_EQ(tiles.getTileInfo(6)->index, 7u);
    EXPECT_EQ(tiles.getTileInfo(6)->centre.x, -133.0f);

    tiles.resetTiles();
    EXPECT_EQ(tiles.getTileCount(), 0u);
    tiles.laneModeTilesUpdate();
    ASSERT_EQ(tiles.getTileCount(), 1u);
    EXPECT_EQ(tiles.getTileInfo(0)->index, 0u);
    EXPECT_EQ(tiles.getTileInfo(0)->centre.x, 0.0f);
}

// Dropped tiles are laid again in place of new ones: each must start as a new tile, and a tile
// that something still holds must never be taken.
TEST(TileManagerTest, ATileLaidInADroppedTilesPlaceStartsAsNewAndAHeldTileIsLeftAlone) {
    TileManager tiles;
    tiles.laneModeTilesUpdate();
    TileInfo* dropped = tiles.getTileInfo(0).get();
    dropped->highlightLane = 2;
    dropped->wallPositions.resize(4, orvo::Array<ZqVector<3>>());
    dropped->wallPositions[1].pushBack(ZqVector<3>(-5.0f, 0.0f, 1.0f));
    const boost::shared_ptr<TileInfo> held = tiles.getTileInfo(1);

    tiles.laneModeUpdateTileArray(2);
    tiles.laneModeTilesUpdate();
    const TileInfo& laid = *tiles.getTileInfo(6);
    ASSERT_EQ(&laid, dropped);
    EXPECT_EQ(laid.index, 7u);
    EXPECT_EQ(laid.centre.x, -133.0f);
    EXPECT_EQ(laid.highlightLane, -1);
    EXPECT_TRUE(laid.wallPositions.empty());
    ASSERT_EQ(laid.lanePositions.size(), 4u);
    EXPECT_EQ(laid.lanePositions[3].z, -3.0f);

    tiles.laneModeUpdateTileArray(2);
    tiles.laneModeTilesUpdate();
    EXPECT_NE(tiles.getTileInfo(6), held);
    EXPECT_EQ(tiles.getTileInfo(6)->index, 8u);
    EXPECT_EQ(held->index, 1u);
    EXPECT_EQ(held->centre.x, -19.0f);
}

class TileMeshTest : public ::testing::Test {
protected:
    void SetUp() override {
        orvo::Locator::registerService<orvo::GraphicsSystem>("GraphicsSystem");
        orvo::GraphicsSystem::instance_->setCurrentRenderTarget(target);
    }
    void TearDown() override { orvo::Locator::deregisterService<orvo::GraphicsSystem>(); }

    static boost::shared_ptr<const orvo::Material> material(float red) {
        boost::shared_ptr<orvo::Material> m(new orvo::Material());
        m->diffuseColour[0] = red;
        return m;
    }
    // A lane of two pieces of different colours.
    void addLane(TileMesh& mesh, float red) {
        TileMesh::VertexList vertices;
        vertices.pushBack(boost::make_shared<orvo::VertexBufferData>());
        vertices.pushBack(boost::make_shared<orvo::VertexBufferData>());
        TileMesh::IndexList indices;
        indices.pushBack(boost::make_shared<orvo::VertexIndexBufferData>());
        TileMesh::MaterialList materials;
        materials.pushBack(material(red));
        materials.pushBack(material(red + 0.5f));
        mesh.addLaneMesh(makeSharedMatrix(), vertices, indices, materials);
    }

    boost::shared_ptr<RecordingTarget> target{new RecordingTarget()};
};

TEST_F(TileMeshTest, AHighlightedLaneDrawsEachPieceInItsColourWithTheHighlightShader) {
    TileMesh mesh;
    addLane(mesh, 0.1f);
    addLane(mesh, 0.2f);
    mesh.render();
    ASSERT_EQ(target->draws.size(), 4u);
    for (const auto& draw : target->draws) {
        EXPECT_NE(draw.shader, orvo::HashString("LANE_HIGHLIGHT"));
    }
    target->draws.clear();
    mesh.highlightLane = 1;
    mesh.render();
    ASSERT_EQ(target->draws.size(), 4u);
    EXPECT_NE(target->draws[1].shader, orvo::HashString("LANE_HIGHLIGHT"));
    EXPECT_EQ(target->draws[2].shader, orvo::HashString("LANE_HIGHLIGHT"));
    EXPECT_FLOAT_EQ(target->draws[2].colour[0], 0.2f);
    EXPECT_FLOAT_EQ(target->draws[3].colour[0], 0.7f);
    // The short index list lends its one entry to both pieces.
    EXPECT_EQ(target->draws[2].indices, target->draws[3].indices);
    const orvo::Material& highlight = *mesh.getHighlightMaterial();
    ASSERT_EQ(highlight.textureSlots.size(), 1u);
    EXPECT_EQ(highlight.textureSlots[0].textureName, orvo::HashString("greypixel"));
    EXPECT_EQ(highlight.textureSlots[0].unused[1], 1u);
}

TEST_F(TileMeshTest, LanePositionsMoveOnlyExistingLanesAndEmptyMeshesDrawNothing) {
    TileMesh empty;
    empty.updateLanePosition(0, ZqVector<3>(1, 2, 3));
    empty.render();
    EXPECT_TRUE(target->draws.empty());

    TileMesh mesh;
    for (int lane = 0; lane < 4; ++lane) {
        addLane(mesh, 0.1f);
    }
    mesh.updateLanePosition(2, ZqVector<3>(-19.0f, 0.0f, -1.0f));
    mesh.updateLanePosition(4, ZqVector<3>(5.0f, 5.0f, 5.0f));
    EXPECT_EQ((*mesh.getLaneMatrix(2))[3], -19.0f);
    EXPECT_EQ((*mesh.getLaneMatrix(2))[11], -1.0f);
    EXPECT_EQ((*mesh.getLaneMatrix(3))[3], 0.0f);
}

TEST_F(TileMeshTest, TheTileSetDrawsEveryLiveTileAtItsLanePoints) {
    TileManager tiles;
    for (int lane = 0; lane < 4; ++lane) {
        addLane(tiles.getMesh(TileInfo::STRAIGHT_X), 0.1f);
    }
    tiles.addTileProcedure(TileInfo::STRAIGHT_X, TileInfo::SIDE_NEGATIVE_X, 19.0f);
    tiles.addTileProcedure(TileInfo::STRAIGHT_X, TileInfo::SIDE_NEGATIVE_X, 19.0f);
    // Corner meshes stay empty: such a tile draws nothing.
    tiles.addTileProcedure(TileInfo::CORNER_PX_PZ, TileInfo::SIDE_NEGATIVE_X, 19.0f);
    tiles.drawTileSet();
    ASSERT_EQ(target->draws.size(), 16u);
    EXPECT_EQ(target->draws[0].world[3], 0.0f);
    EXPECT_EQ(target->draws[0].world[11], 3.0f);
    EXPECT_EQ(target->draws[8].world[3], -19.0f);
    EXPECT_EQ(target->draws[15].world[11], -3.0f);
}

}  // namespace
