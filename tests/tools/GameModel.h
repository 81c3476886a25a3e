#pragma once

#include <boost/shared_ptr.hpp>
#include <string>
#include <vector>

#include "core/containers/Array.h"
#include "core/hash/HashString.h"
#include "game/model/FurnitureEntityType.h"
#include "game/model/GraphicModelComponentData.h"
#include "game/model/SpatialComponentData.h"
#include "graphics/material/Material.h"
#include "graphics/vertex/VertexBufferManager.h"
#include "graphics/vertex/VertexIndexBufferManager.h"
#include "tests/tools/GameDataNames.h"

// One model folder of the archive loaded as the game loads it (its buffers into its own
// managers, its materials as a group of the material service), with every name resolved
// exactly: a name that resolves to nothing is an error here, where the game would draw the
// wrong record or nothing.
class GameModel {
public:
    struct Draw {
        boost::shared_ptr<const orvo::Material> material;
        boost::shared_ptr<const orvo::VertexBufferData> vertices;
        boost::shared_ptr<const orvo::VertexIndexBufferData> indices;
    };
    struct Piece {
        orvo::HashString entityId;
        std::vector<Draw> draws;
    };

    GameModel() {}
    ~GameModel();
    GameModel(const GameModel&) = delete;
    GameModel& operator=(const GameModel&) = delete;

    // Loads the folder; false with what failed.
    bool load(const GameModelFolder& folder, std::string& error);

    // The piece of an entity name, or -1.
    int findPiece(const char* entity) const;

    std::vector<Piece> pieces;
    // The names of the folder's sets (the spatial one empty without placed pieces).
    orvo::Array<orvo::HashString> materialIds;
    orvo::Array<orvo::HashString> vertexIds;
    orvo::Array<orvo::HashString> indexIds;
    orvo::Array<orvo::HashString> componentIds;
    orvo::Array<orvo::HashString> spatialIds;
    orvo::Array<orvo::HashString> entityIds;

private:
    orvo::HashString group_;
    bool materialsInserted_ = false;
    orvo::VertexBufferManager vertexManager_;
    orvo::VertexIndexBufferManager indexManager_;
};
