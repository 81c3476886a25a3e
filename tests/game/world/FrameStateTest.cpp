#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/file/FileBase.h"
#include "core/locator/ServiceSingleton.h"
#include "core/maths/ZqMaths.h"
#include "game/manager/GameDataTables.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/ZqVectorOps.h"
#include "tests/game/support/ModelFolder.h"
#include "tests/game/support/RecordingTarget.h"
#include "tests/game/support/WorldFixture.h"
#include "ui/RocketSystem.h"

using orvo::ZqVector;
using trellin_test::RecordingTarget;

namespace {

// A whole frame as it reaches the screen: one-piece models for the sky, the track's tiles,
// the walls and the ship, and a page of one coloured box over them.
class FrameStateTest : public trellin_test::WorldFixture {
protected:
    void SetUp() override {
        using namespace GameDataTables;
        for (const ModelFolder& model : {SKY_MODEL, WALL_MODEL, SHIP_MODEL}) {
            trellin_test::writeOnePieceModel(dir, std::string(DATA_FOLDER) + model.folder);
            providedModels.push_back(model.folder);
        }
        trellin_test::writeOnePieceModel(dir, std::string(DATA_FOLDER) + TILE_SET.folder,
                                         LANE_ENTITIES[0]);
        tilesProvided = true;
        orvo::FileBase::setRootPath(dir.path().c_str());
        trellin_test::WorldFixture::SetUp();
        orvo::GraphicsSystem::instance_->setCurrentRenderTarget(target);
        ASSERT_NE(orvo::Locator::registerService<orvo::RocketSystem>("RocketSystem"), nullptr);
        const std::string page =
            "<rml><body style=\"display: block;\"><div style=\"display: block; width: 100px; "
            "height: 50px; background-color: #ff0000;\"></div></body></rml>";
        ASSERT_TRUE(orvo::RocketSystem::instance_->loadDocument(
            page.c_str(), static_cast<unsigned>(page.size()), "page"));
    }
    void TearDown() override {
        orvo::Locator::deregisterService<orvo::RocketSystem>();
        trellin_test::WorldFixture::TearDown();
    }

    // The frame's events in words, a run of draws as "draw xN".
    std::string describe() const {
        std::string text;
        std::size_t camera = 0;
        for (std::size_t i = 0; i < target->events.size(); ++i) {
            std::string word;
            switch (target->events[i]) {
                case RecordingTarget::DRAW: {
                    std::size_t run = 1;
                    while (i + 1 < target->events.size() &&
                           target->events[i + 1] == RecordingTarget::DRAW) {
                        ++run;
                        ++i;
                    }
                    word = "draw x" + std::to_string(run);
                    break;
                }
                case RecordingTarget::CULL_ON:
                    word = "cull-on";
                    break;
                case RecordingTarget::CULL_OFF:
                    word = "cull-off";
                    break;
                case RecordingTarget::DEPTH_READ_ON:
                    word = "depth-read-on";
                    break;
                case RecordingTarget::DEPTH_READ_OFF:
                    word = "depth-read-off";
                    break;
                case RecordingTarget::BLEND_ON:
                    word = "blend-on";
                    break;
                case RecordingTarget::BLEND_OFF:
                    word = "blend-off";
                    break;
                case RecordingTarget::CAMERA: {
                    const orvo::GraphicsCamera* set = target->cameras.at(camera++).camera;
                    word = set == world->scene().getSceneCamera().get() ? "scene-camera"
                           : set == world->scene().getUiCamera().get()  ? "ui-camera"
                                                                        : "other-camera";
                    break;
                }
            }
            text += (text.empty() ? "" : " ") + word;
        }
        return text;
    }

    trellin_test::TempDirectory dir;
    boost::shared_ptr<RecordingTarget> target{new RecordingTarget()};
};

TEST_F(FrameStateTest, TheSkyIsDrawnUnderEverythingAndTheObjectsAndThePageBlended) {
    world->startRun();
    frames(2);
    target->clear();
    world->frame();
    std::size_t walls = 0;
    for (const auto& tile : world->tiles().getTiles()) {
        for (const auto& lane : tile->wallPositions) {
            walls += lane.size();
        }
    }
    const std::size_t tiles = world->tiles().getTiles().size();
    ASSERT_GT(walls, 0u);
    ASSERT_GT(tiles, 0u);
    // Without depth reads the sky cube hides nothing; the tiles are depth-tested and opaque;
    // the craft, the walls and the page are blended (the ship culled on its own).
    EXPECT_EQ(describe(), "scene-camera depth-read-off draw x1 depth-read-on draw x" +
                              std::to_string(tiles) + " blend-on cull-on draw x1 cull-off draw x" +
                              std::to_string(walls) + " ui-camera draw x1 blend-off");
    const ZqVector<3>& eye = world->scene().getSceneCamera()->position;
    ASSERT_FALSE(target->draws.empty());
    EXPECT_EQ(target->draws[0].world[3], eye.x);
    EXPECT_EQ(target->draws[0].world[11], eye.z);
}

// The camera looking straight down the track (-X) before each mode turns it: the look point is
// placed so, and frames of no time keep the camera where it is.
TEST_F(FrameStateTest, TheCameraBanksWithTheBendAndTurnsAsEachModeWants) {
    world->startRun();
    frames(10);
    const float c30 = 0.8660254f;
    const float c50 = 0.6427876f;
    const float s50 = 0.7660444f;
    const struct {
        const char* mode;
        bool title;
        bool crashed;
        unsigned bendSeed;  // 0 straight; 1 the bend to +900, 5 the bend to -900
        ZqVector<3> direction;
        ZqVector<3> up;
    } cases[] = {
        {"title", true, false, 0, ZqVector<3>(-1, 0, 0), ZqVector<3>(0, c30, -0.5f)},
        {"straight", false, false, 0, ZqVector<3>(-1, 0, 0), ZqVector<3>(0, 1, 0)},
        {"bend +900", false, false, 1, ZqVector<3>(-1, 0, 0), ZqVector<3>(0, 0.5f, -c30)},
        {"bend -900", false, false, 5, ZqVector<3>(-1, 0, 0), ZqVector<3>(0, 0.5f, c30)},
        {"crash", false, true, 0, ZqVector<3>(-c50, 0, -s50), ZqVector<3>(0, 1, 0)},
    };
    SceneManager& scene = world->scene();
    orvo::GraphicsCamera& camera = *scene.getSceneCamera();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        objects().titleCamera = c.title;
        objects().crashed = c.crashed;
        scene.updateCurvature(0, false);
        if (c.bendSeed != 0) {
            orvo::ZqMaths::setRandomSeed(c.bendSeed);
            for (int i = 0; i < 1000 && (i == 0 || scene.isZTargetActive()); ++i) {
                scene.updateCurvature(1000, false);
            }
            ASSERT_NEAR(std::abs(scene.getZCurvature()), 900.0f, 1.0f);
        }
        setWorldDelta(0.0);
        objects().laneModeCameraUpdate();
        objects().laneModeCameraUpdate();
        // The focal point is this frame's step of the look point.
        objects().lookPoint = camera.position + ZqVector<3>(-16.0f, 0.0f, 0.0f) - camera.focalPoint;
        objects().laneModeCameraUpdate();
        target->clear();
        world->game().renderFrame();
        ASSERT_FALSE(target->cameras.empty());
        const RecordingTarget::CameraSet& set = target->cameras[0];
        ASSERT_EQ(set.camera, &camera);
        const float tolerance = 0.003f;  // a bend stops within 1 of its 900
        EXPECT_NEAR(set.direction.x, c.direction.x, tolerance);
        EXPECT_NEAR(set.direction.y, c.direction.y, tolerance);
        EXPECT_NEAR(set.direction.z, c.direction.z, tolerance);
        EXPECT_NEAR(set.up.x, c.up.x, tolerance);
        EXPECT_NEAR(set.up.y, c.up.y, tolerance);
        EXPECT_NEAR(set.up.z, c.up.z, tolerance);
    }
}

}  // namespace
