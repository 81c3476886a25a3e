#pragma once

#include "core/maths/ZqVector.h"
#include "game/track/TileInfo.h"
#include "game/track/TileManager.h"

namespace trellin_test {

// Removes every wall from the live tiles, so that a test places its own.
inline void clearWalls(TileManager& tiles) {
    for (const auto& tile : tiles.getTiles()) {
        for (auto& lane : tile->wallPositions) {
            lane.clear();
        }
    }
}

// A wall on the first live tile, which carries wall lists only when it was populated.
inline void addWall(TileManager& tiles, const orvo::ZqVector<3>& at) {
    TileInfo& tile = *tiles.getTileInfo(0);
    while (tile.wallPositions.size() < TileInfo::LANE_COUNT) {
        tile.wallPositions.pushBack(orvo::Array<orvo::ZqVector<3>>());
    }
    tile.wallPositions[0].pushBack(at);
}

}  // namespace trellin_test
