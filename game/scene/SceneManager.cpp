#include "game/scene/SceneManager.h"

#include "core/maths/ZqMaths.h"
#include "core/memory/ZequinAllocation.h"
#include "game/manager/GameDataTables.h"
#include "game/manager/GameManager.h"
#include "game/model/GraphicModel.h"
#include "game/model/SharedMatrix.h"
#include "game/objects/ObjectManager.h"
#include "game/track/TileManager.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/ZqVectorOps.h"
#include "graphics/camera/GraphicsCamera.h"

using orvo::GraphicsCamera;
using orvo::ZqMaths;
using orvo::ZqVector;

namespace {

const float DEFAULT_ASPECT = 1.7777778f;
const float SKY_TURN_PER_FRAME = 0.0005f;

boost::shared_ptr<GraphicsCamera> makeCamera() {
    GraphicsCamera* camera = new (0, ZequinAllocation)
        GraphicsCamera(45.0f, DEFAULT_ASPECT, 0.1f, -10000.0f, ZqVector<3>(), -ZqVector<3>::UNIT_Z,
                       ZqVector<3>::UNIT_Y, ZqVector<3>(), 9.0f);
    return camera != nullptr ? boost::shared_ptr<GraphicsCamera>(camera)
                             : boost::shared_ptr<GraphicsCamera>();
}

template <class T>
boost::shared_ptr<T> makeShared() {
    T* made = new (0, ZequinAllocation) T();
    return made != nullptr ? boost::shared_ptr<T>(made) : boost::shared_ptr<T>();
}

}  // namespace

SceneManager::SceneManager()
    : initialised(0),
      zTargetActive(0),
      curvatureFactor(0.0f),
      zCurvature(0.0f),
      zTarget(0.0f),
      maximumZCurvature(900.0f),
      minimumZCurvature(MINIMUM_Z_CURVATURE),
      skyAngle(0.0f) {}

SceneManager::~SceneManager() = default;

void SceneManager::initialise() {
    if (initialised != 0) {
        return;
    }
    float aspect = DEFAULT_ASPECT;
    const boost::shared_ptr<orvo::RenderTarget> target =
        orvo::GraphicsSystem::instance_ != nullptr
            ? orvo::GraphicsSystem::instance_->getCurrentRenderTarget()
            : boost::shared_ptr<orvo::RenderTarget>();
    if (target && target->getCurrentRenderHeight() != 0) {
        aspect = static_cast<float>(target->getCurrentRenderWidth()) /
                 static_cast<float>(target->getCurrentRenderHeight());
    }

    skyModel = makeShared<GraphicModel>();
    if (skyModel) {
        skyModel->loadGraphicData(
            orvo::ZqString(GameDataTables::DATA_FOLDER) + GameDataTables::SKY_MODEL.folder,
            orvo::HashString(GameDataTables::SKY_MODEL.group));
    }
    skyMatrix = makeSharedMatrix();

    uiCamera = makeCamera();
    sceneCamera = makeCamera();
    if (!uiCamera || !sceneCamera || !skyMatrix) {
        return;
    }
    uiCamera->setOrientation(-ZqVector<3>::UNIT_Z, ZqVector<3>::UNIT_Y);
    uiCamera->setPosition(ZqVector<3>());
    uiCamera->perspective = 0;
    uiCamera->orthoLeft = 0.0f;
    uiCamera->orthoRight = 1.0f;
    uiCamera->orthoTop = 1.0f;
    uiCamera->orthoBottom = 0.0f;
    uiCamera->setNearClip(-10000.0f);
    uiCamera->setFarClip(10000.0f);
    uiCamera->setDisplayAspectRatio(aspect);
    uiCamera->setFieldOfView(60.0f);
    uiCamera->updateFrustum();

    const ZqVector<3> position(0.0f, 90.0f, 0.0001f);
    ZqVector<3> direction = ZqVector<3>() - position;
    direction.normalize();
    ZqVector<3> side = direction.cross(ZqVector<3>::UNIT_Y);
    ZqVector<3> up = side.cross(direction);
    side.normalize();
    up.normalize();
    sceneCamera->setDisplayAspectRatio(aspect);
    sceneCamera->setFieldOfView(60.0f);
    sceneCamera->setAll(position, direction, up, ZqVector<3>(), 9.0f);
    sceneCamera->updateFrustum();

    tileManager = makeShared<TileManager>();
    objectManager = makeShared<ObjectManager>();
    if (!tileManager || !objectManager) {
        return;
    }
    tileManager->initialise();
    objectManager->initialise();
    curvatureFactor = CURVATURE_FACTOR;
    initialised = 1;
    zCurvature = 0.0f;
}

void SceneManager::destroy() {
    uiCamera.reset();
    sceneCamera.reset();
    if (tileManager) {
        tileManager->destroy();
    }
    if (objectManager) {
        objectManager->destroy();
    }
}

void SceneManager::laneModeUpdateScene() {
    const GameManager* game = GameManager::instance_;
    if (initialised == 0 || !sceneCamera ||
        (game != nullptr && (game->guiPaused || game->paused))) {
        return;
    }
    const boost::shared_ptr<AirCraft>& player = objectManager->getPlayerAirCraft();
    if (!player) {
        return;
    }
    sceneCamera->setFieldOfView(60.0f + 25.0f * (player->speed / player->maxSpeed));
    sceneCamera->updateFrustum();

    tileManager->laneModeTilesUpdate();
    objectManager->laneModeUpdate();
    objectManager->laneModeCameraUpdate();
    objectManager->laneModeActive = true;

    updateCurvature(player->distance, game != nullptr && game->onTitle);
}

void SceneManager::updateCurvature(uint32_t distance, bool onTitle) {
    if (distance <= 350 || onTitle) {
        zCurvature = 0.0f;
        return;
    }
    if (zTargetActive == 0) {
        const float r = ZqMaths::intervalRandom(0.0f, 2.0f);
        if (!(r >= 1.0f && r < 2.0f)) {
            return;
        }
        const float r2 = ZqMaths::intervalRandom(0.0f, 4.0f);
        zTarget = r2 <= 1.0f ? maximumZCurvature : (r2 <= 2.0f ? minimumZCurvature : 0.0f);
        zTargetActive = 1;
    }
    // Per frame, not per second: the bend's pace follows the frame rate.
    zCurvature += (zTarget - zCurvature) * 0.015f;
    if (zCurvature >= zTarget - 1.0f && zCurvature <= zTarget + 1.0f) {
        zTargetActive = 0;
    }
}

void SceneManager::laneModeRenderScene() {
    if (initialised == 0 || orvo::GraphicsSystem::instance_ == nullptr) {
        return;
    }
    const boost::shared_ptr<orvo::RenderTarget> target =
        orvo::GraphicsSystem::instance_->getCurrentRenderTarget();
    if (target) {
        target->disableDepthTestRead();
    }
    skyAngle += SKY_TURN_PER_FRAME;
    const float c = ZqMaths::cos(skyAngle);
    const float s = ZqMaths::sin(skyAngle);
    const ZqVector<3>& eye = sceneCamera->position;
    orvo::ZqMatrix<4, 4> placed;
    setTranslation(placed, eye);
    const orvo::ZqMatrix<4, 4> turn(c, -s, 0, 0, s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    *skyMatrix = placed * turn;
    if (skyModel) {
        skyModel->render(skyMatrix);
    }
    if (target) {
        target->enableDepthTestRead();
    }
    tileManager->drawTileSet();
}

void SceneManager::laneModeRenderSceneAlphas() {
    if (initialised != 0) {
        objectManager->laneModeDrawAlphaObjects();
    }
}

void SceneManager::resetSceneCurvatures() {
    zCurvature = 0.0f;
    if (sceneCamera) {
        sceneCamera->rotateX(0.9f);
    }
}
