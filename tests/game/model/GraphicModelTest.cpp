#include <gtest/gtest.h>

#include "core/data/StaticObjectLoader.h"
#include "game/model/FurnitureEntityType.h"
#include "game/model/GraphicModel.h"
#include "game/model/GraphicModelComponentData.h"
#include "game/model/SharedMatrix.h"
#include "game/model/SpatialComponentData.h"
#include "game/time/TimeManager.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/material/MaterialManager.h"
#include "tests/game/support/ModelFolder.h"
#include "tests/game/support/RecordingTarget.h"
#include "tests/support/LogCheck.h"

using namespace orvo;
using trellin_test::RecordingTarget;
using trellin_test::TempDirectory;
using trellin_test::writeRecordSet;

namespace {

template <class T>
void loadBack(const TempDirectory&, const std::string& folder, Array<T>& records,
              Array<HashString>& ids) {
    const char* type = StaticRecord<T>::TYPE_NAME;
    const ZqString stem = ZqString(folder.c_str()) + type + StaticObjectLoader::typeSuffix(type);
    ASSERT_GT(StaticObjectLoader::loadObjects(records, stem, 0), 0);
    ASSERT_TRUE(StaticObjectLoader::loadRemaining(ids, records, stem, 0));
}

Array<HashString> names(std::initializer_list<const char*> list) {
    Array<HashString> out;
    for (const char* name : list) {
        out.pushBack(HashString(name));
    }
    return out;
}

class GraphicModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        FileBase::setRootPath(dir.path().c_str());
        Locator::registerService<GraphicsSystem>("GraphicsSystem");
        Locator::registerService<MaterialManager>("MaterialManager");
        Locator::registerService<TimeManager>("TimeManager");
        GraphicsSystem::instance_->setCurrentRenderTarget(target);
    }
    void TearDown() override {
        Locator::deregisterService<TimeManager>();
        Locator::deregisterService<MaterialManager>();
        Locator::deregisterService<GraphicsSystem>();
    }

    // A folder of three pieces: one draws two blocks (its index list is shorter and lends its
    // last entry), one draws one block, one names records that do not exist.
    void writeModel(const std::string& folder) {
        VertexBufferData vertices[2];
        vertices[0].formatFlags = VertexBufferData::POSITION;
        vertices[1].formatFlags = VertexBufferData::NORMAL;
        writeRecordSet(dir, folder, {"vb0", "vb1"}, vertices);
        VertexIndexBufferData indices[2];
        indices[0].indices.pushBack(7);
        indices[1].indices.pushBack(8);
        writeRecordSet(dir, folder, {"ib0", "ib1"}, indices);
        Material materials[2];
        materials[0].diffuseColour[0] = 0.25f;
        materials[1].diffuseColour[0] = 0.75f;
        writeRecordSet(dir, folder, {"red", "blue"}, materials);
        GraphicModelComponentData graphics[2];
        graphics[0].vertexBuffers = names({"vb0", "vb1"});
        graphics[0].indexBuffers = names({"ib0"});
        graphics[0].materials = names({"red", "blue"});
        graphics[1].vertexBuffers = names({"vb1"});
        graphics[1].indexBuffers = names({"ib1"});
        graphics[1].materials = names({"blue"});
        writeRecordSet(dir, folder, {"g0", "g1"}, graphics);
        SpatialComponentData spatial[2];
        spatial[0].position[0] = 1.0f;
        spatial[0].position[1] = 2.0f;
        spatial[0].position[2] = 3.0f;
        spatial[1].position[2] = 5.0f;
        const float quarterTurnY[9] = {0, 0, 1, 0, 1, 0, -1, 0, 0};
        std::copy(quarterTurnY, quarterTurnY + 9, spatial[1].rotation);
        writeRecordSet(dir, folder, {"s0", "s1"}, spatial);
        FurnitureEntityType entities[3];
        entities[0] = {HashString("e0"), 0, HashString("s0"), 0, HashString("g0"), 0};
        entities[1] = {HashString("e1"), 0, HashString("s1"), 0, HashString("g1"), 0};
        entities[2] = {HashString("e2"), 0, HashString("nowhere"), 0, HashString("nothing"), 0};
        writeRecordSet(dir, folder, {"e0", "e1", "e2"}, entities);
    }
    static void setFrameTime(double dt) {
        TimeManager::instance_->getTimer(TimeManager::WORLD_TIMER).lastDelta = dt;
    }

    TempDirectory dir;
    boost::shared_ptr<RecordingTarget> target{new RecordingTarget()};
};

TEST_F(GraphicModelTest, PieceRecordsRoundTripThroughTheWriter) {
    writeModel("Pieces/");
    Array<FurnitureEntityType> entities;
    Array<GraphicModelComponentData> graphics;
    Array<SpatialComponentData> spatial;
    Array<HashString> entityIds, graphicIds, spatialIds;
    loadBack(dir, "Pieces/", entities, entityIds);
    loadBack(dir, "Pieces/", graphics, graphicIds);
    loadBack(dir, "Pieces/", spatial, spatialIds);
    ASSERT_EQ(entities.size(), 3u);
    EXPECT_EQ(entityIds[1], HashString("e1"));
    EXPECT_EQ(entities[1].spatialComponentId, HashString("s1"));
    EXPECT_EQ(entities[1].graphicComponentId, HashString("g1"));
    ASSERT_EQ(graphics.size(), 2u);
    ASSERT_EQ(graphics[0].vertexBuffers.size(), 2u);
    EXPECT_EQ(graphics[0].vertexBuffers[1], HashString("vb1"));
    EXPECT_EQ(graphics[0].indexBuffers.size(), 1u);
    EXPECT_EQ(graphics[0].materials[0], HashString("red"));
    EXPECT_EQ(graphics[1].materials[0], HashString("blue"));
    ASSERT_EQ(spatial.size(), 2u);
    EXPECT_EQ(spatial[0].position[1], 2.0f);
    EXPECT_EQ(spatial[1].rotation[2], 1.0f);
    EXPECT_EQ(spatial[1].rotation[6], -1.0f);
    EXPECT_EQ(StaticRecordLayout<FurnitureEntityType>::STORED_SIZE, 24u);
    EXPECT_EQ(StaticRecordLayout<GraphicModelComponentData>::STORED_SIZE, 76u);
    EXPECT_EQ(StaticRecordLayout<SpatialComponentData>::STORED_SIZE, 48u);
}

TEST_F(GraphicModelTest, LoadsPiecesAndDrawsEachAtTheModelMatrixTimesItsTransform) {
    writeModel("Mesh/Ship/");
    GraphicModel model;
    ASSERT_TRUE(model.loadGraphicData("Mesh/Ship/", HashString("SHIP_GROUP")));
    ASSERT_EQ(model.getPieceCount(), 3u);
    // Ids that name no record take the last one.
    EXPECT_EQ((*model.getTransforms()[2])[11], 5.0f);
    EXPECT_EQ(model.getMeshes()[2].vertexBuffers[0], HashString("vb1"));

    ZqMatrix<4, 4> place;
    setTranslation(place, ZqVector<3>(10.0f, 0.0f, 0.0f));
    model.render(makeSharedMatrix(place));
    ASSERT_EQ(target->draws.size(), 4u);
    const auto& first = target->draws[0];
    EXPECT_EQ(first.colour[0], 0.25f);
    EXPECT_EQ(first.world[3], 11.0f);
    EXPECT_EQ(first.world[7], 2.0f);
    EXPECT_EQ(first.world[11], 3.0f);
    // The shorter index list lends its last entry; the material list has its own.
    EXPECT_EQ(target->draws[1].indices, first.indices);
    EXPECT_EQ(target->draws[1].colour[0], 0.75f);
    EXPECT_NE(target->draws[1].vertices, first.vertices);
    // The turned piece: x along -z, at z = 5.
    EXPECT_EQ(target->draws[2].world[2], 1.0f);
    EXPECT_EQ(target->draws[2].world[11], 5.0f);
}

TEST_F(GraphicModelTest, VelocitiesMovePiecesOverFrameTimeAndResetPutsThemBack) {
    writeModel("Mesh/Boom/");
    GraphicModel model;
    ASSERT_TRUE(model.loadGraphicData("Mesh/Boom/", HashString("BOOM_GROUP")));
    // More velocities than pieces: the list stops at one per piece.
    for (int i = 0; i < 5; ++i) {
        model.addTransformVelocity(ZqVector<3>(0.0f, 0.0f, 10.0f), ZqVector<3>());
    }
    EXPECT_EQ(model.getVelocities().size(), 3u);
    setFrameTime(1.0);
    model.render(makeSharedMatrix());
    EXPECT_FLOAT_EQ((*model.getTransforms()[0])[11], 13.0f);
    EXPECT_FLOAT_EQ((*model.getTransforms()[0])[3], 1.0f);
    // The rotation is rebuilt from its angles: the quarter turn survives.
    EXPECT_NEAR((*model.getTransforms()[1])[2], 1.0f, 1e-6f);
    model.resetTransforms();
    EXPECT_EQ((*model.getTransforms()[0])[11], 3.0f);
    EXPECT_EQ((*model.getTransforms()[1])[2], 1.0f);
}

TEST_F(GraphicModelTest, AnEmptyFolderGivesAModelThatDrawsNothing) {
    trellin_test::expectLog("Game Error: no model in Mesh/Missing/");
    GraphicModel model;
    EXPECT_TRUE(model.loadGraphicData("Mesh/Missing/", HashString("MISSING_GROUP")));
    EXPECT_EQ(model.getPieceCount(), 0u);
    model.addTransformVelocity(ZqVector<3>(1, 1, 1), ZqVector<3>(1, 1, 1));
    EXPECT_TRUE(model.getVelocities().empty());
    model.render(makeSharedMatrix());
    model.render(GraphicModel::MatrixPtr());
    EXPECT_TRUE(target->draws.empty());
}

TEST_F(GraphicModelTest, PiecesWithoutRecordsStandAtTheOriginAndDrawNothing) {
    // Entities only: no spatial, graphic or buffer records at all.
    FurnitureEntityType entity = {HashString("lonely"), 0, HashString("s"), 0, HashString("g"), 0};
    writeRecordSet(dir, "Mesh/Bare/", {"lonely"}, &entity);
    GraphicModel model;
    ASSERT_TRUE(model.loadGraphicData("Mesh/Bare/", HashString("BARE_GROUP")));
    ASSERT_EQ(model.getPieceCount(), 1u);
    for (int i = 0; i < 16; ++i) {
        const float identity = (i % 5 == 0) ? 1.0f : 0.0f;
        EXPECT_EQ((*model.getTransforms()[0])[i], identity) << i;
    }
    model.render(makeSharedMatrix());
    EXPECT_TRUE(target->draws.empty());
}

}  // namespace
