#include "game/model/GraphicModel.h"

#include "game/manager/GameError.h"
#include "game/model/FurnitureEntityType.h"
#include "game/model/GraphicModelComponentData.h"
#include "game/model/MeshGroups.h"
#include "game/model/SharedMatrix.h"
#include "game/model/SpatialComponentData.h"
#include "game/model/StaticSet.h"
#include "game/time/TimeManager.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/material/MaterialManager.h"

using orvo::Array;
using orvo::HashString;
using orvo::ZqMatrix;
using orvo::ZqString;
using orvo::ZqVector;

namespace {

ZqMatrix<4, 4> pieceTransform(const SpatialComponentData& spatial) {
    const float* r = spatial.rotation;
    const ZqMatrix<3, 3> rotation(r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], r[8]);
    const ZqVector<3> position(spatial.position[0], spatial.position[1], spatial.position[2]);
    return ZqMatrix<4, 4>(rotation, position);
}

}  // namespace

GraphicModel::GraphicModel() : materialGroupMade(false) {}

GraphicModel::~GraphicModel() {
    // The renderer knows drawn geometry by its address: forget it before the buffers go.
    orvo::GraphicsSystem* graphics = orvo::GraphicsSystem::instance_;
    for (const GraphicMesh& mesh : meshes) {
        for (std::size_t j = 0; graphics != nullptr && j < mesh.vertexBuffers.size(); ++j) {
            const auto vertices = vertexBuffers.getStatic(mesh.vertexBuffers[j]);
            const auto indices = mesh.indexBuffers.empty()
                                     ? boost::shared_ptr<orvo::VertexIndexBufferData>()
                                     : indexBuffers.getStatic(mesh.indexBuffers.at(j));
            if (vertices && indices) {
                graphics->flushStaticItem(*vertices, *indices);
            }
        }
    }
    removeMeshGroups(group, vertexBuffers, indexBuffers, materialGroupMade);
}

int GraphicModel::findArrayIndex(HashString id, const Array<HashString>& ids) {
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (ids[i] == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool GraphicModel::loadGraphicData(const ZqString& folder, HashString groupName) {
    group = groupName;

    materialGroupMade = loadMeshGroups(folder, group, vertexBuffers, indexBuffers);
    Array<GraphicModelComponentData> graphicRecords;
    Array<SpatialComponentData> spatialRecords;
    Array<FurnitureEntityType> entityRecords;
    Array<HashString> graphicIds, spatialIds, entityNames;
    loadStaticSet(folder, graphicRecords, graphicIds);
    loadStaticSet(folder, spatialRecords, spatialIds);
    loadStaticSet(folder, entityRecords, entityNames);
    if (entityRecords.empty()) {
        logGameError("no model in ", folder);
    }

    for (const FurnitureEntityType& entity : entityRecords) {
        // An id that names no record takes the last one (the index wraps to the largest
        // position); with no records at all the piece stands at the origin and draws nothing.
        const int spatial = findArrayIndex(entity.spatialComponentId, spatialIds);
        const int graphic = findArrayIndex(entity.graphicComponentId, graphicIds);
        const ZqMatrix<4, 4> transform =
            spatialRecords.empty()
                ? ZqMatrix<4, 4>::IDENTITY
                : pieceTransform(spatialRecords.at(static_cast<std::size_t>(spatial)));
        GraphicMesh mesh;
        if (!graphicRecords.empty()) {
            const GraphicModelComponentData& data =
                graphicRecords.at(static_cast<std::size_t>(graphic));
            mesh.vertexBuffers = data.vertexBuffers;
            mesh.indexBuffers = data.indexBuffers;
            mesh.materials = data.materials;
        }
        const MatrixPtr current = makeSharedMatrix(transform);
        const MatrixPtr loaded = makeSharedMatrix(transform);
        const MatrixPtr world = makeSharedMatrix();
        if (!current || !loaded || !world || !entityIds.pushBack(entity.entityId) ||
            !transforms.pushBack(current) || !loadedTransforms.pushBack(loaded) ||
            !worlds.pushBack(world) || !meshes.pushBack(mesh)) {
            return false;
        }
    }
    return true;
}

void GraphicModel::render(const MatrixPtr& matrix) {
    orvo::GraphicsSystem* graphics = orvo::GraphicsSystem::instance_;
    if (!matrix || graphics == nullptr) {
        return;
    }
    const float dt = TimeManager::worldFrameTime();
    orvo::MaterialManager* materials = orvo::MaterialManager::instance_;
    for (std::size_t i = 0; i < meshes.size(); ++i) {
        ZqMatrix<4, 4>& transform = *transforms[i];
        if (i < velocities.size()) {
            const ZqVector<3>& v = velocities[i];
            const ZqVector<3>& w = angularVelocities[i];
            const ZqVector<3> translation(transform[3] + dt * v.x, transform[7] + dt * v.y,
                                          transform[11] + dt * v.z);
            float ax = 0.0f, ay = 0.0f, az = 0.0f;
            transform.getEulerAngles(ax, ay, az);
            transform = ZqMatrix<4, 4>(ax + dt * w.x, ay + dt * w.y, az + dt * w.z);
            setTranslation(transform, translation);
        }
        *worlds[i] = *matrix * transform;
        const GraphicMesh& mesh = meshes[i];
        if (mesh.indexBuffers.empty() || mesh.materials.empty() || materials == nullptr) {
            continue;
        }
        for (std::size_t j = 0; j < mesh.vertexBuffers.size(); ++j) {
            const auto material = materials->getStatic(mesh.materials.at(j));
            const auto vertices = vertexBuffers.getStatic(mesh.vertexBuffers[j]);
            const auto indices = indexBuffers.getStatic(mesh.indexBuffers.at(j));
            if (material && vertices && indices) {
                graphics->drawStaticItem(material, vertices, indices, worlds[i]);
            }
        }
    }
}

void GraphicModel::addTransformVelocity(const ZqVector<3>& velocity,
                                        const ZqVector<3>& angularVelocity) {
    // Pieces beyond the last would never move: a shared explosion model killed many times must
    // not grow its list for ever.
    if (velocities.size() >= meshes.size()) {
        return;
    }
    if (velocities.pushBack(velocity) && !angularVelocities.pushBack(angularVelocity)) {
        velocities.popBack();
    }
}

void GraphicModel::resetTransforms() {
    for (std::size_t i = 0; i < transforms.size(); ++i) {
        *transforms[i] = *loadedTransforms[i];
    }
}
