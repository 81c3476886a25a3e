#pragma once

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/maths/ZqMatrix.h"
#include "core/maths/ZqVector.h"
#include "game/objects/AirCraft.h"
#include "game/objects/RecyclingPool.h"

class GraphicModel;
class TileInfo;

// The objects of a run: the player, up to three enemies, one power-up, the walls' model and the
// record banner. Moves them, tests collisions, drops what is left behind, places the scene
// camera behind the player and draws the blended pass.
class ObjectManager {
public:
    typedef boost::shared_ptr<orvo::ZqMatrix<4, 4>> MatrixPtr;

    static constexpr std::size_t MAX_ENEMIES = 3;
    static constexpr float POWERUP_INTERVAL = 8.0f;

    ObjectManager();
    ObjectManager(const ObjectManager&) = delete;
    ObjectManager& operator=(const ObjectManager&) = delete;

    void initialise();
    void destroy();

    const boost::shared_ptr<AirCraft>& getPlayerAirCraft() const { return player; }
    const orvo::Array<boost::shared_ptr<AirCraft>>& getEnemies() const { return enemies; }

    void laneModeResetObjectPositions();
    void laneModeUpdate();
    void laneModeSpawnPowerup(const orvo::ZqVector<3>& position);
    void laneModeSpawnEnemyAirCraft(const orvo::ZqVector<3>& position);
    void laneModeCollisionDetection();
    void collideableObjectCulling();
    void laneModeCameraUpdate();
    void laneModeDrawAlphaObjects();

    orvo::ZqVector<3> getPowerupPosition() const;
    orvo::ZqVector<3> getBannerPosition() const;

    bool initialised;
    bool laneModeActive;
    orvo::ZqVector<3> lookPoint;
    float titleCameraScale;
    float powerupTimer;
    bool vulnerable;
    bool wallsVisible;
    bool titleCamera;
    bool crashed;
    bool powerupActive;
    bool bannerVisible;

private:
    // The crash of the unshielded player.
    void crash();
    // True when the point lies in the player's hit box; xReach widens the box's side behind
    // the craft for the distance a long frame skipped.
    bool inHitBox(const orvo::ZqVector<3>& point, float xReach = 0.0f) const;
    // The walls of one tile; true when one hit.
    bool collideWalls(const TileInfo& tile, float xReach);
    // The near-miss sound for walls of one lane of the tile; true when one was found.
    bool nearMissLane(const TileInfo& tile, int lane);

    boost::shared_ptr<AirCraft> player;
    orvo::Array<boost::shared_ptr<AirCraft>> enemies;
    // Enemies that were dropped, flown again in place of new ones.
    RecyclingPool<AirCraft> enemyPool;
    boost::shared_ptr<GraphicModel> shipModel;
    boost::shared_ptr<GraphicModel> enemyShipModel;
    boost::shared_ptr<GraphicModel> shipExplosionModel;
    boost::shared_ptr<GraphicModel> enemyExplosionModel;
    boost::shared_ptr<GraphicModel> wallModel;
    boost::shared_ptr<GraphicModel> powerupModel;
    boost::shared_ptr<GraphicModel> bannerModel;
    MatrixPtr wallMatrix;
    MatrixPtr powerupMatrix;
    MatrixPtr bannerMatrix;
};
