#include "tests/tools/GameModel.h"

#include <cstdio>

#include "core/data/StaticObjectLoader.h"
#include "graphics/material/MaterialManager.h"

using namespace orvo;

namespace {

template <class T>
bool loadSet(const std::string& folder, Array<HashString>& ids, Array<T>& records,
             std::string& error) {
    const ZqString stem = ZqString((std::string(DATA_FOLDER) + folder).c_str()) +
                          StaticRecord<T>::TYPE_NAME +
                          StaticObjectLoader::typeSuffix(StaticRecord<T>::TYPE_NAME);
    if (StaticObjectLoader::loadObjects(records, stem, 0) < 1 ||
        !StaticObjectLoader::loadRemaining(ids, records, stem, 0)) {
        error = std::string(stem.c_str()) + " does not load";
        return false;
    }
    if (ids.size() != records.size()) {
        error = std::string(stem.c_str()) + ": " + std::to_string(ids.size()) + " names for " +
                std::to_string(records.size()) + " records";
        return false;
    }
    return true;
}

int findId(const Array<HashString>& ids, HashString id) {
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (ids[i] == id) {
            return int(i);
        }
    }
    return -1;
}

std::string hex(HashString id) {
    char text[16];
    std::snprintf(text, sizeof(text), "%08x", id.getHash());
    return text;
}

}  // namespace

GameModel::~GameModel() {
    if (materialsInserted_) {
        MaterialManager* materials = MaterialManager::instance_;
        materials->StaticDataManager<Material>::removeGroup(materials->getStaticStore(), group_);
    }
}

bool GameModel::load(const GameModelFolder& folder, std::string& error) {
    // The graphic models place their pieces; the tile set does not.
    const bool spatial = std::string(folder.folder) != TILE_SET.folder;
    group_ = HashString(folder.group);
    Array<VertexBufferData> vertices;
    Array<VertexIndexBufferData> indices;
    Array<Material> materials;
    Array<GraphicModelComponentData> components;
    Array<SpatialComponentData> spatials;
    Array<FurnitureEntityType> entities;
    if (!loadSet(folder.folder, vertexIds, vertices, error) ||
        !loadSet(folder.folder, indexIds, indices, error) ||
        !loadSet(folder.folder, materialIds, materials, error) ||
        !loadSet(folder.folder, componentIds, components, error) ||
        (spatial && !loadSet(folder.folder, spatialIds, spatials, error)) ||
        !loadSet(folder.folder, entityIds, entities, error)) {
        return false;
    }
    MaterialManager* materialManager = MaterialManager::instance_;
    vertexManager_.StaticDataManager<VertexBufferData>::createGroup(vertexManager_.getStaticStore(),
                                                                    group_);
    indexManager_.StaticDataManager<VertexIndexBufferData>::createGroup(
        indexManager_.getStaticStore(), group_);
    materialManager->StaticDataManager<Material>::createGroup(materialManager->getStaticStore(),
                                                              group_);
    materialsInserted_ = true;
    if (!vertexManager_.StaticDataManager<VertexBufferData>::insertGroup(
            vertexManager_.getStaticStore(), group_, vertexIds, vertices) ||
        !indexManager_.StaticDataManager<VertexIndexBufferData>::insertGroup(
            indexManager_.getStaticStore(), group_, indexIds, indices) ||
        !materialManager->StaticDataManager<Material>::insertGroup(
            materialManager->getStaticStore(), group_, materialIds, materials)) {
        error = std::string(folder.folder) + ": a group does not insert";
        return false;
    }
    for (std::size_t e = 0; e < entities.size(); ++e) {
        const FurnitureEntityType& entity = entities[e];
        const std::string where =
            std::string(folder.folder) + " entity " + hex(entityIds[e]) + ": ";
        if (!(entity.entityId == entityIds[e])) {
            error = where + "its record names another entity";
            return false;
        }
        const int component = findId(componentIds, entity.graphicComponentId);
        if (component < 0) {
            error = where + "its graphic component is not in the folder";
            return false;
        }
        Piece piece;
        piece.entityId = entity.entityId;
        if (spatial && findId(spatialIds, entity.spatialComponentId) < 0) {
            error = where + "its spatial component is not in the folder";
            return false;
        }
        const GraphicModelComponentData& c = components[std::size_t(component)];
        if (c.vertexBuffers.size() != c.indexBuffers.size() ||
            c.vertexBuffers.size() != c.materials.size() || c.vertexBuffers.empty()) {
            error = where + "its component's three lists differ in length or are empty";
            return false;
        }
        for (std::size_t j = 0; j < c.vertexBuffers.size(); ++j) {
            Draw draw;
            draw.vertices = vertexManager_.getStatic(c.vertexBuffers[j]);
            draw.indices = indexManager_.getStatic(c.indexBuffers[j]);
            draw.material = materialManager->getStatic(c.materials[j]);
            if (!draw.vertices || !draw.indices || !draw.material ||
                findId(materialIds, c.materials[j]) < 0) {
                error = where + "draw " + std::to_string(j) + " names a record not in the folder";
                return false;
            }
            piece.draws.push_back(draw);
        }
        pieces.push_back(piece);
    }
    return true;
}

int GameModel::findPiece(const char* entity) const {
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].entityId == HashString(entity)) {
            return int(i);
        }
    }
    return -1;
}
