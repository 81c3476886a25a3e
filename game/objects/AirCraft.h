#pragma once

#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "core/maths/ZqMatrix.h"
#include "core/maths/ZqVector.h"
#include "core/time/Timer.h"
#include "game/objects/GameObject.h"

class GraphicModel;

// A craft of the game: the player's, which follows the lanes, takes lane input, counts distance
// and score and can be shielded; or an enemy, which flies straight along -X.
class AirCraft : public GameObject {
public:
    typedef boost::shared_ptr<orvo::ZqMatrix<4, 4>> MatrixPtr;
    enum LaneRequest : int32_t { NO_REQUEST = 0, REQUEST_LEFT = 1, REQUEST_RIGHT = 2 };
    enum RollState : int32_t { LEVEL = 0, BANKING_LEFT = 1, BANKING_RIGHT = 2 };

    static constexpr float SHIELD_TIME = 11.0f;
    static constexpr float SHIELD_WARNING_TIME = 9.0f;
    static constexpr float SHIELD_FLASH_TIME = 0.5f;

    AirCraft();

    // Back to the state of a new craft, keeping its model matrix, so that an enemy flown again
    // in place of a new one allocates nothing.
    void renew();

    void setPosition(const orvo::ZqVector<3>& newPosition) override;
    void render() override;

    // Only the first call counts.
    void initialise(const boost::shared_ptr<GraphicModel>& ship,
                    const boost::shared_ptr<GraphicModel>& explosion);
    // Alive, white, at the start of the first straight, its explosion put back together.
    void resetPosition();
    void laneModeUpdate();
    void updateControls();
    void kill();
    void powerUp();
    void setShipToBlack();
    void setShipToWhite();

    // A lane move asked for from outside the controls (the HUD's buttons); a dead craft
    // ignores it, so that it cannot fire after the next run starts.
    void requestLaneChange(LaneRequest request);

    bool isShielded() const { return shieldTimer.getState() == orvo::Timer::RUNNING; }

    std::size_t getNextTileIndex(std::size_t i) const;

    bool initialised;
    bool onTrack;
    bool reversed;
    bool bonusDistance;
    uint32_t tileIndex;
    int32_t laneIndex;
    float speed;
    orvo::ZqVector<3> laneOffset;
    orvo::ZqVector<3> drawPosition;
    orvo::ZqVector<3> bodyColour;
    orvo::ZqVector<3> symbolColour;
    MatrixPtr transform;
    boost::shared_ptr<GraphicModel> shipModel;
    boost::shared_ptr<GraphicModel> explosionModel;
    uint32_t bestDistance;
    uint32_t distance;
    uint32_t bonusStart;
    float bestScore;
    float score;
    float maxSpeed;
    float roll;
    orvo::Timer shieldTimer;
    orvo::Timer shieldWarningTimer;
    orvo::Timer shieldFlashTimer;
    int32_t flashWhite;
    int32_t laneRequest;
    int32_t rollState;
    bool dead;

private:
    // A new craft drawn with the given model matrix, which is set to the identity.
    explicit AirCraft(const MatrixPtr& matrix);
    // The player's part of the update: false when the craft has no tile to stand on.
    bool followTrack();
    void applyLaneRequest();
    static void playSound(int id);
    void updateShield();
};
