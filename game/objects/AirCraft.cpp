#include "game/objects/AirCraft.h"

#include "core/maths/ZqMaths.h"
#include "game/input/InputNames.h"
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
#include "input/PeripheralSystem.h"

using orvo::ZqMaths;
using orvo::ZqVector;

namespace {

const ZqVector<3> START_POSITION(-4.0f, 1.0f, 1.0f);
const float LANE_STEP = 2.0f;

TileManager* tileManager() {
    if (SceneManager::instance_ == nullptr) {
        return nullptr;
    }
    return SceneManager::instance_->getTileManager().get();
}

}  // namespace

AirCraft::AirCraft() : AirCraft(makeSharedMatrix()) {}

AirCraft::AirCraft(const MatrixPtr& matrix)
    : initialised(false),
      onTrack(false),
      reversed(false),
      bonusDistance(false),
      tileIndex(0),
      laneIndex(0),
      speed(1.0f),
      bodyColour(1.0f, 1.0f, 1.0f),
      symbolColour(0.8f, 0.0f, 0.0f),
      transform(matrix),
      bestDistance(0),
      distance(0),
      bonusStart(0),
      bestScore(0.0f),
      score(0.0f),
      maxSpeed(55.0f),
      roll(0.0f),
      shieldTimer(SHIELD_TIME),
      shieldWarningTimer(SHIELD_WARNING_TIME),
      shieldFlashTimer(SHIELD_FLASH_TIME),
      flashWhite(1),
      laneRequest(NO_REQUEST),
      rollState(LEVEL),
      dead(false) {
    if (transform) {
        *transform = orvo::ZqMatrix<4, 4>::IDENTITY;
    }
}

void AirCraft::renew() {
    const MatrixPtr matrix = transform;
    *this = AirCraft(matrix);
}

void AirCraft::playSound(int id) {
    if (GameSoundManager::instance_ != nullptr) {
        GameSoundManager::instance_->playSound(static_cast<GameSoundManager::SoundName>(id), false);
    }
}

void AirCraft::setPosition(const ZqVector<3>& newPosition) {
    position = newPosition;
    drawPosition = newPosition;
}

void AirCraft::render() {
    if (!initialised) {
        return;
    }
    const boost::shared_ptr<GraphicModel>& model = dead ? explosionModel : shipModel;
    if (model) {
        model->render(transform);
    }
}

void AirCraft::initialise(const boost::shared_ptr<GraphicModel>& ship,
                          const boost::shared_ptr<GraphicModel>& explosion) {
    if (initialised) {
        return;
    }
    shipModel = ship;
    explosionModel = explosion;
    initialised = true;
    setPosition(ZqVector<3>(1.0f, 1.0f, 1.0f));
}

void AirCraft::resetPosition() {
    dead = false;
    setPosition(START_POSITION);
    setShipToWhite();
    if (explosionModel) {
        explosionModel->resetTransforms();
    }
}

void AirCraft::requestLaneChange(LaneRequest request) {
    if (!dead) {
        laneRequest = request;
    }
}

std::size_t AirCraft::getNextTileIndex(std::size_t i) const {
    const TileManager* tiles = tileManager();
    const std::size_t count = tiles != nullptr ? tiles->getTileCount() : 0;
    if (reversed) {
        return i == 0 ? (count == 0 ? 0 : count - 1) : i - 1;
    }
    return i + 1 >= count ? 0 : i + 1;
}

void AirCraft::laneModeUpdate() {
    const float dt = TimeManager::worldFrameTime();
    if (!dead) {
        speed += 0.5f * dt;
    }
    if (speed > maxSpeed) {
        speed = maxSpeed;
    }
    if (onTrack) {
        if (!followTrack()) {
            return;
        }
    } else {
        position.x -= dt * speed;
    }

    // The drawn craft eases across a lane change and its bank back to level; a long frame
    // stops each at its target.
    const float ratio = speed / maxSpeed;
    const float k = easingPart(0.7f * dt * (10.0f + 10.0f * ratio));
    drawPosition.y += (position.y - drawPosition.y) * k;
    drawPosition.z += (position.z - drawPosition.z) * k;
    drawPosition.x = position.x;

    if (rollState == BANKING_LEFT) {
        roll -= 3.1f * dt;
        if (roll <= -0.5f) {
            rollState = LEVEL;
        }
    } else if (rollState == BANKING_RIGHT) {
        roll += 3.1f * dt;
        if (roll >= 0.5f) {
            rollState = LEVEL;
        }
    } else {
        roll -= roll * easingPart(6.1f * dt);
    }

    if (transform) {
        const float c = ZqMaths::cos(roll);
        const float s = ZqMaths::sin(roll);
        *transform = orvo::ZqMatrix<4, 4>(1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1);
        setTranslation(*transform, drawPosition);
    }
    updateShield();
}

bool AirCraft::followTrack() {
    TileManager* tiles = tileManager();
    if (tiles == nullptr || tileIndex >= tiles->getTileCount()) {
        return false;
    }
    tileIndex = tiles->laneModeUpdateTileArray(tileIndex);
    const boost::shared_ptr<TileInfo> tile = tiles->getTileInfo(tileIndex);
    if (!tile) {
        return false;
    }
    laneIndex = tile->getObjectLaneIndex(position, direction);
    if (laneIndex == -1) {
        laneIndex = 0;
    }
    bool exited = false;
    tile->updateObjectPosition(position, speed, direction, laneIndex, exited);
    if (exited) {
        tileIndex = static_cast<uint32_t>(getNextTileIndex(tileIndex));
    }

    if (laneOffset.x != 0.0f || laneOffset.z != 0.0f) {
        ZqVector<3> candidate = position;
        candidate.x += laneOffset.x;
        candidate.z += laneOffset.z;
        laneIndex = tiles->getTileInfo(tileIndex)->getObjectLaneIndex(candidate, direction);
        if (laneIndex != -1) {
            position = candidate;
        }
        laneOffset = ZqVector<3>();
    }

    if (!dead) {
        updateControls();
    }
    const GameManager* game = GameManager::instance_;
    if (!dead && game != nullptr && game->sessionActive) {
        distance = SaveRecord::toWord(ZqMaths::abs(position.x)) + bonusStart;
        score = ZqMaths::abs((position.x - static_cast<float>(bonusStart)) * 5.6f);
        if (distance > bestDistance && score > bestScore) {
            bestDistance = distance;
            bestScore = score;
        }
    }
    return true;
}

void AirCraft::updateControls() {
    const GameManager* game = GameManager::instance_;
    if (game != nullptr && game->onTitle) {
        return;
    }
    if (orvo::PeripheralSystem::instance_ != nullptr) {
        const orvo::ActionGroup& controls =
            orvo::PeripheralSystem::instance_->getActionGroup(PLAYER_ONE_CONTROLS, 0);
        LaneRequest request = NO_REQUEST;
        const boost::shared_ptr<orvo::RenderTarget> target =
            orvo::GraphicsSystem::instance_ != nullptr
                ? orvo::GraphicsSystem::instance_->getCurrentRenderTarget()
                : boost::shared_ptr<orvo::RenderTarget>();
        if (controls.hasInputChangedToOn(PLAYER_ONE_LANE_SWITCH_POINTER_1) && target) {
            const float x = controls.getInputValue(PLAYER_ONE_LANE_SWITCH_POINTER_1_X);
            const float y = controls.getInputValue(PLAYER_ONE_LANE_SWITCH_POINTER_1_Y);
            const float width = static_cast<float>(target->getCurrentRenderWidth());
            const float height = static_cast<float>(target->getCurrentRenderHeight());
            if (y > 0.2f * height) {
                if (x < 0.5f * width) {
                    request = REQUEST_LEFT;
                } else if (x > 0.5f * width) {
                    request = REQUEST_RIGHT;
                }
            }
        }
        if (controls.hasInputChangedToOn(PLAYER_ONE_LANE_SWITCH_LEFT)) {
            request = REQUEST_LEFT;
        } else if (controls.hasInputChangedToOn(PLAYER_ONE_LANE_SWITCH_RIGHT)) {
            request = REQUEST_RIGHT;
        }
        if (request != NO_REQUEST) {
            laneRequest = request;
            rollState = request == REQUEST_LEFT ? BANKING_LEFT : BANKING_RIGHT;
        }
    }
    applyLaneRequest();
}

void AirCraft::applyLaneRequest() {
    if (laneRequest == NO_REQUEST) {
        return;
    }
    const bool left = laneRequest == REQUEST_LEFT;
    laneRequest = NO_REQUEST;
    TileManager* tiles = tileManager();
    const boost::shared_ptr<TileInfo> next = tiles != nullptr
                                                 ? tiles->getTileInfo(getNextTileIndex(tileIndex))
                                                 : boost::shared_ptr<TileInfo>();
    if (!next || next->getObjectLaneIndex(position, direction) == -1) {
        return;
    }
    // Left is +z towards -X and -x towards -Z, and the mirror image on the other two.
    const bool positiveLeft = direction == TOWARDS_NEGATIVE_X || direction == TOWARDS_POSITIVE_Z;
    const float step = (left == positiveLeft) ? LANE_STEP : -LANE_STEP;
    const bool onZ = direction == TOWARDS_NEGATIVE_X || direction == TOWARDS_POSITIVE_X;
    ZqVector<3> candidate(position.x + laneOffset.x, position.y, position.z + laneOffset.z);
    (onZ ? candidate.z : candidate.x) += step;
    if (next->getObjectLaneIndex(candidate, direction) != -1) {
        (onZ ? laneOffset.z : laneOffset.x) += step;
    }
}

void AirCraft::kill() {
    dead = true;
    const std::size_t pieces = explosionModel ? explosionModel->getPieceCount() : 0;
    for (std::size_t i = 0; i < pieces; ++i) {
        const float x = ZqMaths::intervalRandom(-1.5f, 1.5f);
        const float y = ZqMaths::intervalRandom(0.1f, 1.5f);
        const float z = ZqMaths::intervalRandom(-1.5f, 1.5f);
        const ZqVector<3> v(x, y, z);
        explosionModel->addTransformVelocity(v, v);
    }
    playSound(onTrack ? GameSoundManager::TECH_EXPLOSION : GameSoundManager::DESTROY_ENEMY);
    speed = 5.0f;
}

void AirCraft::powerUp() {
    setShipToBlack();
    const double now = TimeManager::realTotalTime();
    shieldTimer.start(now);
    shieldWarningTimer.start(now);
    playSound(GameSoundManager::SHIELD_BEGIN);
}

void AirCraft::setShipToBlack() {
    bodyColour = ZqVector<3>(0.2f, 0.2f, 0.2f);
    symbolColour = ZqVector<3>(0.8f, 0.8f, 0.0f);
    flashWhite = 0;
}

void AirCraft::setShipToWhite() {
    bodyColour = ZqVector<3>(1.0f, 1.0f, 1.0f);
    symbolColour = ZqVector<3>(0.8f, 0.0f, 0.0f);
    flashWhite = 1;
}

void AirCraft::updateShield() {
    if (!isShielded()) {
        return;
    }
    const double now = TimeManager::realTotalTime();
    if (shieldWarningTimer.update(now) > 0) {
        shieldWarningTimer.stop();
        shieldFlashTimer.start(now);
        playSound(GameSoundManager::SHIELD_END);
        setShipToWhite();
    }
    if (shieldFlashTimer.update(now) > 0) {
        if (flashWhite == 1) {
            setShipToBlack();
        } else {
            setShipToWhite();
            playSound(GameSoundManager::SHIELD_END);
        }
    }
    if (shieldTimer.update(now) > 0) {
        shieldFlashTimer.stop();
        shieldTimer.stop();
        setShipToWhite();
        playSound(GameSoundManager::SHIELD_END);
    }
}
