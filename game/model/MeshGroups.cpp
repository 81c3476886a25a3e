#include "game/model/MeshGroups.h"

#include "game/model/StaticSet.h"
#include "graphics/material/MaterialManager.h"

using orvo::Array;
using orvo::HashString;

bool loadMeshGroups(const orvo::ZqString& folder, HashString group,
                    orvo::VertexBufferManager& vertexBuffers,
                    orvo::VertexIndexBufferManager& indexBuffers) {
    Array<orvo::VertexBufferData> vertexRecords;
    Array<orvo::VertexIndexBufferData> indexRecords;
    Array<orvo::Material> materialRecords;
    Array<HashString> vertexIds, indexIds, materialIds;
    loadStaticSet(folder, vertexRecords, vertexIds);
    loadStaticSet(folder, indexRecords, indexIds);
    loadStaticSet(folder, materialRecords, materialIds);
    insertStaticGroup(vertexBuffers, group, vertexIds, vertexRecords);
    insertStaticGroup(indexBuffers, group, indexIds, indexRecords);
    return orvo::MaterialManager::instance_ != nullptr &&
           insertStaticGroup(*orvo::MaterialManager::instance_, group, materialIds,
                             materialRecords);
}

void removeMeshGroups(HashString group, orvo::VertexBufferManager& vertexBuffers,
                      orvo::VertexIndexBufferManager& indexBuffers, bool materials) {
    removeStaticGroup<orvo::VertexBufferData>(vertexBuffers, group);
    removeStaticGroup<orvo::VertexIndexBufferData>(indexBuffers, group);
    if (materials && orvo::MaterialManager::instance_ != nullptr) {
        removeStaticGroup<orvo::Material>(*orvo::MaterialManager::instance_, group);
    }
}
