#pragma once

#include <cstdint>

#include "core/containers/Array.h"
#include "core/maths/ZqVector.h"
#include "game/objects/GameObject.h"

// One square tile of the track (22 x 22 about its centre) with four lanes. It moves an object
// along a lane across itself and, when laid during a run, fills itself with walls and asks the
// object manager for enemies and a power-up.
class TileInfo {
public:
    // The side of the previous tile this one is laid on.
    enum TileDirection : int32_t {
        SIDE_NEGATIVE_Z = 0,
        SIDE_POSITIVE_Z = 1,
        SIDE_NEGATIVE_X = 2,
        SIDE_POSITIVE_X = 3
    };
    // 0 and 1 straights along X and Z; 2 to 5 corners joining +X/+Z, -X/+Z, +X/-Z, -X/-Z.
    enum TileType : int32_t {
        STRAIGHT_X = 0,
        STRAIGHT_Z = 1,
        CORNER_PX_PZ = 2,
        CORNER_NX_PZ = 3,
        CORNER_PX_NZ = 4,
        CORNER_NX_NZ = 5,
    };
    static constexpr int LANE_COUNT = 4;
    // The most rows of walls and enemies a tile is populated with.
    static constexpr int MAX_ROWS = 3;
    static constexpr float HALF_EXTENT = 11.0f;

    TileInfo();

    // Back to the state of a new tile, keeping the storage of its lists, so that a tile laid
    // again in its place allocates nothing.
    void recycle();

    // Stores the tile, lays out its lane points and populates it (during a run, from tile 3 on).
    void initialise(uint32_t tileIndex, TileType tileType, const orvo::ZqVector<3>& tileCentre,
                    TileDirection tileDirection);

    // The lane whose coordinate across the travel direction equals the position's, or -1.
    int getObjectLaneIndex(const orvo::ZqVector<3>& position,
                           GameObject::GameWorldDirection worldDirection) const;

    // Moves the object one frame along its lane (turning it on a corner); sets exited once it
    // has left the tile, and never clears it.
    void updateObjectPosition(orvo::ZqVector<3>& position, float speed,
                              GameObject::GameWorldDirection& worldDirection, int lane,
                              bool& exited) const;

    uint32_t index;
    int32_t highlightLane;
    TileType type;
    TileDirection direction;
    orvo::ZqVector<3> centre;
    orvo::Array<orvo::ZqVector<3>> lanePositions;
    // One list per lane on a populated tile; empty on the others.
    orvo::Array<orvo::Array<orvo::ZqVector<3>>> wallPositions;

private:
    typedef orvo::Array<orvo::Array<orvo::ZqVector<3>>> WallLists;

    void populate();
    // Picks the lane of a draw from 0 to 4: -1 above 4.
    static int laneOfDraw(float b);

    // The emptied wall lists of the tile's last use, kept for its next population.
    WallLists spareWalls;
};
