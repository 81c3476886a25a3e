#include "game/track/TileManager.h"

#include <iterator>

#include "core/maths/ZqMaths.h"
#include "game/manager/GameDataTables.h"
#include "game/manager/GameError.h"
#include "game/model/FurnitureEntityType.h"
#include "game/model/GraphicModel.h"
#include "game/model/GraphicModelComponentData.h"
#include "game/model/MeshGroups.h"
#include "game/model/SharedMatrix.h"
#include "game/model/StaticSet.h"
#include "graphics/material/MaterialManager.h"

using orvo::Array;
using orvo::HashString;
using orvo::ZqMatrix;

namespace {

using GameDataTables::LANE_ENTITIES;

static_assert(std::size(LANE_ENTITIES) == TileInfo::LANE_COUNT, "one lane mesh per lane");

const HashString TILE_SET_MESH_GROUP(GameDataTables::TILE_SET.group);

orvo::ZqString tileSetFolder() {
    return orvo::ZqString(GameDataTables::DATA_FOLDER) + GameDataTables::TILE_SET.folder;
}

// Resolves names through a manager; a name it does not hold is left out.
template <class List, class Manager>
List resolve(const Array<HashString>& names, const Manager& manager) {
    List list;
    for (HashString name : names) {
        const auto record = manager.getStatic(name);
        if (record) {
            list.pushBack(record);
        }
    }
    return list;
}

}  // namespace

TileManager::TileManager() : initialised(false), tileCounter(0), tilesStarted(false) {}

TileManager::~TileManager() = default;

void TileManager::initialise() {
    if (initialised) {
        return;
    }
    const orvo::ZqString folder = tileSetFolder();
    loadMeshGroups(folder, TILE_SET_MESH_GROUP, vertexBuffers, indexBuffers);
    orvo::MaterialManager* materials = orvo::MaterialManager::instance_;
    Array<GraphicModelComponentData> graphicRecords;
    Array<FurnitureEntityType> entityRecords;
    Array<HashString> graphicIds, entityIds;
    loadStaticSet(folder, graphicRecords, graphicIds);
    loadStaticSet(folder, entityRecords, entityIds);

    const ZqMatrix<4, 4> scale(1.3f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    const ZqMatrix<4, 4> turned =
        ZqMatrix<4, 4>(0.0f, 90.0f * orvo::ZqMaths::DEGREES_TO_RADIANS, 0.0f) * scale;
    int lanes = 0;
    for (int mesh = 0; mesh < 2; ++mesh) {
        for (const char* name : LANE_ENTITIES) {
            // A lane whose entity or component is missing from the set is left out.
            const int entity = GraphicModel::findArrayIndex(HashString(name), entityIds);
            if (entity < 0) {
                continue;
            }
            const int component = GraphicModel::findArrayIndex(
                entityRecords[static_cast<std::size_t>(entity)].graphicComponentId, graphicIds);
            if (component < 0) {
                continue;
            }
            const GraphicModelComponentData& data =
                graphicRecords[static_cast<std::size_t>(component)];
            TileMesh::MatrixPtr matrix = makeSharedMatrix(mesh == 0 ? scale : turned);
            if (!matrix) {
                continue;
            }
            TileMesh::MaterialList laneMaterials;
            if (materials != nullptr) {
                laneMaterials = resolve<TileMesh::MaterialList>(data.materials, *materials);
            }
            meshes[mesh].addLaneMesh(
                matrix, resolve<TileMesh::VertexList>(data.vertexBuffers, vertexBuffers),
                resolve<TileMesh::IndexList>(data.indexBuffers, indexBuffers), laneMaterials);
            ++lanes;
        }
    }
    if (lanes == 0) {
        logGameError("no track tiles in ", folder);
    }
    initialised = true;
}

void TileManager::destroy() {
    initialised = false;
    for (TileMesh& mesh : meshes) {
        mesh.clear();
    }
    tiles.clear();
    tilePool.clear();
    removeMeshGroups(TILE_SET_MESH_GROUP, vertexBuffers, indexBuffers, true);
}

void TileManager::resetTiles() {
    // The chain's storage is kept for the next run's tiles.
    tiles.resize(0, boost::shared_ptr<TileInfo>());
    tileCounter = 0;
}

void TileManager::laneModeTilesUpdate() {
    if (!tilesStarted) {
        tilesStarted = true;
        for (int i = 0; i < 6; ++i) {
            addTileProcedure(TileInfo::STRAIGHT_X, TileInfo::SIDE_NEGATIVE_X, RUN_TILE_SPACING);
        }
    }
    addTileProcedure(TileInfo::STRAIGHT_X, TileInfo::SIDE_NEGATIVE_X, RUN_TILE_SPACING);
}

void TileManager::addTileProcedure(TileInfo::TileType type, TileInfo::TileDirection direction,
                                   float spacing) {
    if (tiles.size() >= MAX_TILES) {
        return;
    }
    const boost::shared_ptr<TileInfo> tile = tilePool.take();
    if (!tile) {
        return;
    }
    tile->recycle();
    orvo::ZqVector<3> position;
    if (!tiles.empty()) {
        position = tiles[tiles.size() - 1]->centre;
        switch (direction) {
            case TileInfo::SIDE_NEGATIVE_X:
                position.x -= spacing;
                break;
            case TileInfo::SIDE_POSITIVE_X:
                position.x += spacing;
                break;
            case TileInfo::SIDE_POSITIVE_Z:
                position.z += spacing;
                break;
            default:
                position.z -= spacing;
                break;
        }
        ++tileCounter;
    }
    tile->initialise(tileCounter, type, position, direction);
    tiles.pushBack(tile);
}

uint32_t TileManager::laneModeUpdateTileArray(uint32_t craftTileIndex) {
    if (craftTileIndex <= 1 || tiles.empty()) {
        return craftTileIndex;
    }
    // Shifted in place: the same chain as a fresh copy without its front, with no allocation.
    for (std::size_t i = 0; i + 1 < tiles.size(); ++i) {
        tiles[i] = tiles[i + 1];
    }
    tiles.popBack();
    return 0;
}

boost::shared_ptr<TileInfo> TileManager::getTileInfo(std::size_t i) const {
    if (tiles.empty()) {
        return boost::shared_ptr<TileInfo>();
    }
    return tiles.at(i);
}

void TileManager::drawTileSet() {
    for (const boost::shared_ptr<TileInfo>& tile : tiles) {
        if (tile->type < 0 || tile->type >= MESH_COUNT) {
            continue;
        }
        TileMesh& mesh = meshes[tile->type];
        for (std::size_t lane = 0; lane < tile->lanePositions.size(); ++lane) {
            mesh.updateLanePosition(static_cast<int>(lane), tile->lanePositions[lane]);
        }
        mesh.highlightLane = tile->highlightLane;
        mesh.render();
    }
}
