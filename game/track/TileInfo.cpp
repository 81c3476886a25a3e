#include "game/track/TileInfo.h"

#include "core/maths/ZqMaths.h"
#include "game/manager/GameManager.h"
#include "game/objects/AirCraft.h"
#include "game/objects/ObjectManager.h"
#include "game/scene/SceneManager.h"
#include "game/time/TimeManager.h"

using orvo::ZqMaths;
using orvo::ZqVector;
typedef GameObject::GameWorldDirection Direction;

namespace {

// Lane point offsets (x, z) from the centre, per tile type and lane.
const float LANE_OFFSETS[6][TileInfo::LANE_COUNT][2] = {
    {{0, 3}, {0, 1}, {0, -1}, {0, -3}},   {{3, 0}, {1, 0}, {-1, 0}, {-3, 0}},
    {{3, 3}, {1, 1}, {-1, -1}, {-3, -3}}, {{-3, 3}, {-1, 1}, {1, -1}, {3, -3}},
    {{3, -3}, {1, -1}, {-1, 1}, {-3, 3}}, {{-3, -3}, {-1, -1}, {1, 1}, {3, 3}},
};

// Per corner type (2 to 5): two entry directions and the exit direction of each.
struct CornerTurn {
    Direction entry;
    Direction exit;
};
const CornerTurn CORNER_TURNS[4][2] = {
    {{Direction(0), Direction(3)}, {Direction(2), Direction(1)}},
    {{Direction(1), Direction(3)}, {Direction(2), Direction(0)}},
    {{Direction(0), Direction(2)}, {Direction(3), Direction(1)}},
    {{Direction(1), Direction(2)}, {Direction(3), Direction(0)}},
};

// Travel along X for directions 0 and 1, along Z for 2 and 3.
bool alongX(Direction d) { return d == 0 || d == 1; }
float sign(Direction d) { return (d == 0 || d == 2) ? -1.0f : 1.0f; }
float& along(ZqVector<3>& v, Direction d) { return alongX(d) ? v.x : v.z; }
float& across(ZqVector<3>& v, Direction d) { return alongX(d) ? v.z : v.x; }
float along(const ZqVector<3>& v, Direction d) { return alongX(d) ? v.x : v.z; }
float across(const ZqVector<3>& v, Direction d) { return alongX(d) ? v.z : v.x; }

// Whether a position moving in direction d has reached the tile's edge on that side.
bool atExitEdge(const ZqVector<3>& position, const ZqVector<3>& centre, Direction d) {
    const float p = along(position, d);
    const float c = along(centre, d);
    return sign(d) < 0.0f ? p <= c - TileInfo::HALF_EXTENT : p >= c + TileInfo::HALF_EXTENT;
}

template <class T>
void emptyKeepingStorage(orvo::Array<T>& list) {
    list.resize(0, T());
}

}  // namespace

TileInfo::TileInfo()
    : index(0xFFFFFFFFu), highlightLane(-1), type(STRAIGHT_X), direction(SIDE_NEGATIVE_X) {}

void TileInfo::recycle() {
    // The lists' storage is set aside while the tile takes a new tile's state.
    orvo::Array<ZqVector<3>> lanes;
    lanes.acquire(lanePositions);
    emptyKeepingStorage(lanes);
    WallLists walls;
    walls.acquire(wallPositions.empty() ? spareWalls : wallPositions);
    for (orvo::Array<ZqVector<3>>& lane : walls) {
        emptyKeepingStorage(lane);
    }
    *this = TileInfo();
    lanePositions.acquire(lanes);
    spareWalls.acquire(walls);
}

void TileInfo::initialise(uint32_t tileIndex, TileType tileType, const ZqVector<3>& tileCentre,
                          TileDirection tileDirection) {
    index = tileIndex;
    type = tileType;
    centre = tileCentre;
    direction = tileDirection;
    const int t = (tileType >= STRAIGHT_X && tileType <= CORNER_NX_NZ) ? tileType : STRAIGHT_X;
    lanePositions.reserve(LANE_COUNT);
    for (int lane = 0; lane < LANE_COUNT; ++lane) {
        lanePositions.pushBack(ZqVector<3>(centre.x + LANE_OFFSETS[t][lane][0], centre.y,
                                           centre.z + LANE_OFFSETS[t][lane][1]));
    }
    populate();
}

int TileInfo::getObjectLaneIndex(const ZqVector<3>& position, Direction worldDirection) const {
    const bool byZ = worldDirection == 0 || worldDirection == 1;
    for (std::size_t lane = 0; lane < lanePositions.size(); ++lane) {
        const ZqVector<3>& point = lanePositions[lane];
        if (byZ ? position.z == point.z : position.x == point.x) {
            return static_cast<int>(lane);
        }
    }
    return -1;
}

void TileInfo::updateObjectPosition(ZqVector<3>& position, float speed, Direction& worldDirection,
                                    int lane, bool& exited) const {
    if (lane < 0 || static_cast<std::size_t>(lane) >= lanePositions.size() || worldDirection < 0 ||
        worldDirection > 3) {
        return;
    }
    const ZqVector<3>& point = lanePositions[static_cast<std::size_t>(lane)];
    const float step = speed * TimeManager::worldFrameTime();
    const Direction d = worldDirection;

    if (type == STRAIGHT_X || type == STRAIGHT_Z) {
        if (alongX(d) != (type == STRAIGHT_X)) {
            return;
        }
        along(position, d) += sign(d) * step;
        across(position, d) = across(point, d);
        if (atExitEdge(position, centre, d)) {
            exited = true;
        }
        return;
    }
    if (type < CORNER_PX_PZ || type > CORNER_NX_NZ) {
        return;
    }
    const CornerTurn* turns = CORNER_TURNS[type - CORNER_PX_PZ];
    for (int i = 0; i < 2; ++i) {
        if (turns[i].entry == d) {
            along(position, d) += sign(d) * step;
            across(position, d) = across(point, d);
            const float overshoot = (along(position, d) - along(point, d)) * sign(d);
            if (overshoot > 0.0f) {
                // Carried round the corner, so the turn loses no distance.
                const Direction out = turns[i].exit;
                along(position, d) = along(point, d);
                along(position, out) = along(point, out) + sign(out) * overshoot;
                worldDirection = out;
            }
            return;
        }
    }
    for (int i = 0; i < 2; ++i) {
        if (turns[i].exit == d) {
            along(position, d) += sign(d) * step;
            across(position, d) = across(point, d);
            if (atExitEdge(position, centre, d)) {
                exited = true;
            }
            return;
        }
    }
}

int TileInfo::laneOfDraw(float b) {
    if (b <= 1.0f) {
        return 0;
    }
    if (b <= 2.0f) {
        return 1;
    }
    if (b <= 3.0f) {
        return 2;
    }
    return b <= 4.0f ? 3 : -1;
}

void TileInfo::populate() {
    const GameManager* game = GameManager::instance_;
    if (game == nullptr || !game->sessionActive || index < 3 ||
        SceneManager::instance_ == nullptr) {
        return;
    }
    const boost::shared_ptr<ObjectManager> objects = SceneManager::instance_->getObjectManager();
    if (!objects || !objects->getPlayerAirCraft()) {
        return;
    }
    const uint32_t distance = objects->getPlayerAirCraft()->distance;

    if (spareWalls.size() == LANE_COUNT) {
        wallPositions.acquire(spareWalls);
    } else {
        // Room for every row in each lane, so that no later population of this tile grows them.
        wallPositions.reserve(LANE_COUNT);
        for (int lane = 0; lane < LANE_COUNT; ++lane) {
            wallPositions.pushBack(orvo::Array<ZqVector<3>>());
            wallPositions[static_cast<std::size_t>(lane)].reserve(MAX_ROWS);
        }
    }
    const int rows = distance > 900 ? MAX_ROWS : 2;

    if (distance > 400) {
        const float u = ZqMaths::unitRandom();
        if (u >= 0.1f && u <= 0.41f) {
            const int lane = laneOfDraw(ZqMaths::intervalRandom(0.0f, 4.0f));
            const float p = ZqMaths::intervalRandom(0.0f, 4.0f);
            if (lane >= 0) {
                ZqVector<3> at = lanePositions[static_cast<std::size_t>(lane)];
                at.x += 9.5f - 4.75f * p;
                at.y += 1.0f;
                objects->laneModeSpawnPowerup(at);
            }
        }
    }

    for (int row = 0; row < rows; ++row) {
        const int lane = laneOfDraw(ZqMaths::intervalRandom(0.0f, 4.0f));
        if (lane < 0) {
            continue;
        }
        const float k = ZqMaths::intervalRandom(0.0f, 6.0f);
        const float p = ZqMaths::abs(ZqMaths::intervalRandom(0.0f, 3.0f));
        ZqVector<3> at = lanePositions[static_cast<std::size_t>(lane)];
        at.x += 9.5f - 4.75f * p;
        if (k > 4.0f && distance > 400) {
            at.y += 1.0f;
            objects->laneModeSpawnEnemyAirCraft(at);
        } else {
            wallPositions[static_cast<std::size_t>(lane)].pushBack(at);
        }
    }
}
