#include "game/objects/ObjectManager.h"

#include <cstring>

#include "core/maths/ZqMaths.h"
#include "core/memory/ZequinAllocation.h"
#include "game/manager/GameDataTables.h"
#include "game/manager/GameManager.h"
#include "game/model/GraphicModel.h"
#include "game/model/SharedMatrix.h"
#include "game/objects/Easing.h"
#include "game/save/SaveRecord.h"
#include "game/scene/SceneManager.h"
#include "game/sound/GameSoundManager.h"
#include "game/time/TimeManager.h"
#include "game/track/TileManager.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/ZqVectorOps.h"
#include "graphics/camera/GraphicsCamera.h"

using orvo::ZqMaths;
using orvo::ZqVector;

namespace {

const float HIT_BOX_LENGTH = 1.5f;
const float HIT_BOX_HALF_WIDTH = 1.0f;
const float CULL_DISTANCE = 5.0f;
const float NEAR_MISS_FAR = 4.5f;
const float NEAR_MISS_NEAR = 4.0f;

boost::shared_ptr<GraphicModel> loadModel(const GameDataTables::ModelFolder& folder) {
    GraphicModel* model = new (0, ZequinAllocation) GraphicModel();
    if (model == nullptr) {
        return boost::shared_ptr<GraphicModel>();
    }
    boost::shared_ptr<GraphicModel> held(model);
    held->loadGraphicData(orvo::ZqString(GameDataTables::DATA_FOLDER) + folder.folder,
                          orvo::HashString(folder.group));
    return held;
}

// The speed a bonus run starts with: the float with bits 0x41F1DB62.
float bonusSpeed() {
    const uint32_t bits = 0x41F1DB62u;
    float speed = 0.0f;
    std::memcpy(&speed, &bits, sizeof(speed));
    return speed;
}

// How far the hit box reaches behind the craft for a frame in which it gained step on an
// object: a step longer than the box would jump over the object, so the box then reaches back
// over the part of the way the previous frame's box did not cover.
float sweptReach(float step) { return step > HIT_BOX_LENGTH ? step - HIT_BOX_LENGTH : 0.0f; }

void renderModel(const boost::shared_ptr<GraphicModel>& model,
                 const ObjectManager::MatrixPtr& matrix) {
    if (model) {
        model->render(matrix);
    }
}

}  // namespace

ObjectManager::ObjectManager()
    : initialised(false),
      laneModeActive(false),
      titleCameraScale(1.0f),
      powerupTimer(0.0f),
      vulnerable(false),
      wallsVisible(false),
      titleCamera(true),
      crashed(false),
      powerupActive(false),
      bannerVisible(true) {}

void ObjectManager::initialise() {
    if (initialised) {
        return;
    }
    shipModel = loadModel(GameDataTables::SHIP_MODEL);
    enemyShipModel = loadModel(GameDataTables::ENEMY_MODEL);
    shipExplosionModel = loadModel(GameDataTables::SHIP_EXPLOSION);
    enemyExplosionModel = loadModel(GameDataTables::ENEMY_EXPLOSION);
    wallModel = loadModel(GameDataTables::WALL_MODEL);
    powerupModel = loadModel(GameDataTables::POWERUP_MODEL);
    bannerModel = loadModel(GameDataTables::BANNER_MODEL);
    AirCraft* craft = new (0, ZequinAllocation) AirCraft();
    if (craft == nullptr) {
        return;
    }
    player.reset(craft);
    player->initialise(shipModel, shipExplosionModel);
    player->onTrack = true;
    // Made now, so that no enemy of a run allocates.
    enemyPool.prepare(MAX_ENEMIES);
    enemies.reserve(MAX_ENEMIES);
    powerupMatrix = makeSharedMatrix();
    wallMatrix = makeSharedMatrix();
    bannerMatrix = makeSharedMatrix();
    initialised = powerupMatrix && wallMatrix && bannerMatrix;
}

void ObjectManager::destroy() {
    player.reset();
    enemies.clear();
    enemyPool.clear();
    initialised = false;
}

orvo::ZqVector<3> ObjectManager::getPowerupPosition() const {
    const orvo::ZqMatrix<4, 4>& m = *powerupMatrix;
    return ZqVector<3>(m[3], m[7], m[11]);
}

orvo::ZqVector<3> ObjectManager::getBannerPosition() const {
    const orvo::ZqMatrix<4, 4>& m = *bannerMatrix;
    return ZqVector<3>(m[3], m[7], m[11]);
}

void ObjectManager::laneModeResetObjectPositions() {
    ZqMaths::setRandomSeed(1337);
    powerupActive = false;
    crashed = false;
    if (!player) {
        return;
    }
    player->resetPosition();
    if (player->bonusDistance) {
        player->bonusStart = 893;
        player->speed = bonusSpeed();
    } else {
        player->bonusStart = 0;
        player->speed = 5.0f;
    }
    // Emptied, keeping the list's storage for the enemies to come.
    enemies.resize(0, boost::shared_ptr<AirCraft>());
    if (bannerMatrix) {
        const bool record = SaveRecord::toWord(player->bestScore) > 9;
        setTranslation(
            *bannerMatrix,
            ZqVector<3>(record ? -static_cast<float>(player->bestDistance) : 10.0f, 0.0f, 0.0f));
    }
}

void ObjectManager::laneModeUpdate() {
    if (!initialised || !laneModeActive) {
        return;
    }
    player->laneModeUpdate();
    vulnerable = !player->isShielded();
    for (const boost::shared_ptr<AirCraft>& enemy : enemies) {
        enemy->laneModeUpdate();
    }
    powerupTimer += TimeManager::worldFrameTime();
    if (powerupActive) {
        const float t = static_cast<float>(TimeManager::worldTotalTime());
        (*powerupMatrix)[7] = 1.0f + 0.4f * ZqMaths::cos(10.0f * t);
    }
    laneModeCollisionDetection();
    collideableObjectCulling();
}

void ObjectManager::laneModeSpawnPowerup(const ZqVector<3>& position) {
    if (!(powerupTimer > POWERUP_INTERVAL)) {
        return;
    }
    powerupTimer = 0.0f;
    if (player && !player->isShielded() && powerupMatrix) {
        powerupActive = true;
        setTranslation(*powerupMatrix, position);
    }
}

void ObjectManager::laneModeSpawnEnemyAirCraft(const ZqVector<3>& position) {
    if (enemies.size() >= MAX_ENEMIES || !player) {
        return;
    }
    const boost::shared_ptr<AirCraft> enemy = enemyPool.take();
    if (!enemy) {
        return;
    }
    enemy->renew();
    enemy->initialise(enemyShipModel, enemyExplosionModel);
    enemy->setPosition(position);
    const float speed = player->speed - 15.0f;
    enemy->speed = speed < 50.0f ? speed : 50.0f;
    enemies.pushBack(enemy);
}

bool ObjectManager::inHitBox(const ZqVector<3>& point, float xReach) const {
    const ZqVector<3>& e = player->drawPosition;
    return point.x >= e.x - HIT_BOX_LENGTH && point.x <= e.x + xReach &&
           point.z >= e.z - HIT_BOX_HALF_WIDTH && point.z <= e.z + HIT_BOX_HALF_WIDTH;
}

void ObjectManager::crash() {
    vulnerable = false;
    crashed = true;
    if (GameManager::instance_ != nullptr) {
        GameManager::instance_->restartSession();
    }
}

void ObjectManager::laneModeCollisionDetection() {
    if (!player || player->dead) {
        return;
    }
    const float dt = TimeManager::worldFrameTime();
    for (const boost::shared_ptr<AirCraft>& enemy : enemies) {
        // An enemy flies ahead more slowly: the box sweeps the way the craft gained on it.
        if (enemy->dead ||
            !inHitBox(enemy->drawPosition, sweptReach((player->speed - enemy->speed) * dt))) {
            continue;
        }
        if (player->isShielded()) {
            enemy->kill();
        } else {
            player->kill();
            enemy->kill();
            crash();
        }
        return;
    }
    if (!vulnerable) {
        return;
    }
    // The power-up and the walls stand still: the box sweeps the craft's own step.
    const float xReach = sweptReach(player->speed * dt);
    if (powerupActive && inHitBox(getPowerupPosition(), xReach)) {
        player->powerUp();
        powerupActive = false;
        return;
    }
    const TileManager* tiles = SceneManager::instance_ != nullptr
                                   ? SceneManager::instance_->getTileManager().get()
                                   : nullptr;
    if (tiles == nullptr) {
        return;
    }
    bool nearMissPlayed = false;
    for (const boost::shared_ptr<TileInfo>& tile : tiles->getTiles()) {
        if (collideWalls(*tile, xReach)) {
            return;
        }
        if (!nearMissPlayed) {
            nearMissPlayed = nearMissLane(*tile, player->laneIndex - 1) ||
                             nearMissLane(*tile, player->laneIndex + 1);
        }
    }
}

bool ObjectManager::collideWalls(const TileInfo& tile, float xReach) {
    for (const orvo::Array<ZqVector<3>>& lane : tile.wallPositions) {
        for (const ZqVector<3>& wall : lane) {
            if (inHitBox(wall, xReach)) {
                player->kill();
                crash();
                return true;
            }
        }
    }
    return false;
}

bool ObjectManager::nearMissLane(const TileInfo& tile, int lane) {
    if (lane < 0 || static_cast<std::size_t>(lane) >= tile.wallPositions.size()) {
        return false;
    }
    const float x = player->drawPosition.x;
    for (const ZqVector<3>& wall : tile.wallPositions[static_cast<std::size_t>(lane)]) {
        if (wall.x >= x - NEAR_MISS_FAR && wall.x <= x - NEAR_MISS_NEAR) {
            if (GameSoundManager* sounds = GameSoundManager::instance_) {
                sounds->setSoundRelativePitch(GameSoundManager::WOOSH_BARRIER,
                                              0.3f + 0.7f * player->speed / player->maxSpeed, 0.0f);
                sounds->playSound(GameSoundManager::WOOSH_BARRIER, false);
            }
            return true;
        }
    }
    return false;
}

void ObjectManager::collideableObjectCulling() {
    const float limit = player->drawPosition.x + CULL_DISTANCE;
    if (powerupActive && getPowerupPosition().x > limit) {
        powerupActive = false;
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < enemies.size(); ++i) {
        if (enemies[i]->drawPosition.x < limit) {
            enemies[kept++] = enemies[i];
        }
    }
    // Shrunk in place: the storage stays for the enemies to come.
    enemies.resize(kept, boost::shared_ptr<AirCraft>());
}

void ObjectManager::laneModeCameraUpdate() {
    if (!player || SceneManager::instance_ == nullptr) {
        return;
    }
    SceneManager& scene = *SceneManager::instance_;
    const boost::shared_ptr<orvo::GraphicsCamera>& camera = scene.getSceneCamera();
    if (!camera) {
        return;
    }
    const ZqVector<3> p = player->drawPosition;
    const ZqVector<3> q = camera->position;
    const float dt = TimeManager::worldFrameTime();
    ZqVector<3> n;
    if (titleCamera) {
        const ZqVector<3> t = p + ZqVector<3>(2.0f, 0.5f, -1.5f * titleCameraScale);
        n = ZqVector<3>(t.x, t.y, q.z + (t.z - q.z) * easingPart(dt * 1.13f));
    } else if (crashed) {
        n = p + ZqVector<3>(-1.0f, 0.6f, 4.0f);
    } else {
        const ZqVector<3> t = p + ZqVector<3>(3.0f, 1.5f, 0.0f);
        n = ZqVector<3>(t.x, t.y, q.z + (t.z - q.z) * easingPart(dt * 3.7f));
    }
    const ZqVector<3> look = p + ZqVector<3>(-16.0f, titleCamera ? 0.0f : 1.0f, 0.0f);
    const ZqVector<3> d = look - n;
    lookPoint = lookPoint + d;
    ZqVector<3> forward = lookPoint - n;
    forward.normalize();
    ZqVector<3> right = forward.cross(ZqVector<3>::UNIT_Y);
    right.normalize();
    ZqVector<3> up = right.cross(forward);
    up.normalize();
    camera->setAll(n, forward, up, d, 0.0f);
    camera->updateFrustum();

    const float degrees = ZqMaths::DEGREES_TO_RADIANS;
    if (titleCamera) {
        player->speed = 5.0f;
        camera->rotateX(-30.0f * degrees);
    } else if (crashed) {
        camera->rotateY(-50.0f * degrees);
    } else {
        const float z = scene.getZCurvature();
        if (z >= 0.0f) {
            camera->rotateX(-60.0f * degrees * z / scene.getMaximumZCurvature());
        } else {
            camera->rotateX(60.0f * degrees * z / scene.getMinimumZCurvature());
        }
    }
}

void ObjectManager::laneModeDrawAlphaObjects() {
    if (!initialised || orvo::GraphicsSystem::instance_ == nullptr) {
        return;
    }
    const boost::shared_ptr<orvo::RenderTarget> target =
        orvo::GraphicsSystem::instance_->getCurrentRenderTarget();
    if (target) {
        target->enableBackFaceCulling();
    }
    player->render();
    for (const boost::shared_ptr<AirCraft>& enemy : enemies) {
        enemy->render();
    }
    if (target) {
        target->disableBackFaceCulling();
    }
    const TileManager* tiles = SceneManager::instance_ != nullptr
                                   ? SceneManager::instance_->getTileManager().get()
                                   : nullptr;
    if (wallsVisible && tiles != nullptr) {
        for (const boost::shared_ptr<TileInfo>& tile : tiles->getTiles()) {
            for (const orvo::Array<ZqVector<3>>& lane : tile->wallPositions) {
                for (const ZqVector<3>& wall : lane) {
                    setTranslation(*wallMatrix, wall);
                    renderModel(wallModel, wallMatrix);
                }
            }
        }
    }
    if (bannerVisible) {
        renderModel(bannerModel, bannerMatrix);
    }
    if (powerupActive) {
        renderModel(powerupModel, powerupMatrix);
    }
}
