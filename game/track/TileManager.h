#pragma once

#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "game/objects/RecyclingPool.h"
#include "game/track/TileInfo.h"
#include "game/track/TileMesh.h"
#include "graphics/vertex/VertexBufferManager.h"
#include "graphics/vertex/VertexIndexBufferManager.h"

// The track of the current run: a chain of at most seven live tiles, extended ahead of the
// player and shortened behind it, and the tile set that draws them.
class TileManager {
public:
    static constexpr std::size_t MAX_TILES = 7;
    static constexpr float RUN_TILE_SPACING = 19.0f;
    static constexpr int MESH_COUNT = 6;

    TileManager();
    ~TileManager();
    TileManager(const TileManager&) = delete;
    TileManager& operator=(const TileManager&) = delete;

    // Loads the tile set once; without its files the meshes stay empty.
    void initialise();
    void destroy();

    void resetTiles();
    // Once per frame: on the first call fills the chain, then tops it up by one tile.
    void laneModeTilesUpdate();
    // Lays one tile after the last one, unless the chain is full.
    void addTileProcedure(TileInfo::TileType type, TileInfo::TileDirection direction,
                          float spacing);
    // Drops the oldest tile once the craft stands on tile 2 or later; gives the craft's new
    // tile index (0, since the dropped tile's successor reports the craft as having left).
    uint32_t laneModeUpdateTileArray(uint32_t craftTileIndex);

    // The tile at i, the last one for i past the end, or empty for an empty chain.
    boost::shared_ptr<TileInfo> getTileInfo(std::size_t i) const;
    std::size_t getTileCount() const { return tiles.size(); }
    const orvo::Array<boost::shared_ptr<TileInfo>>& getTiles() const { return tiles; }
    TileMesh& getMesh(int type) { return meshes[type]; }

    void drawTileSet();

    bool isInitialised() const { return initialised; }
    uint32_t getTileCounter() const { return tileCounter; }

private:
    bool initialised;
    orvo::VertexBufferManager vertexBuffers;
    orvo::VertexIndexBufferManager indexBuffers;
    TileMesh meshes[MESH_COUNT];
    orvo::Array<boost::shared_ptr<TileInfo>> tiles;
    // Dropped tiles, laid again in place of new ones.
    RecyclingPool<TileInfo> tilePool;
    uint32_t tileCounter;
    bool tilesStarted;
};
