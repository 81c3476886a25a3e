#include "game/track/TileMesh.h"

#include "core/memory/ZequinAllocation.h"
#include "game/manager/GameDataTables.h"
#include "game/model/SharedMatrix.h"
#include "graphics/GraphicsSystem.h"

TileMesh::TileMesh() : highlightLane(-1) {
    orvo::Material* material = new (0, ZequinAllocation) orvo::Material();
    if (material == nullptr) {
        return;
    }
    material->shaderName = orvo::HashString("LANE_HIGHLIGHT");
    TextureSlotData slot = {orvo::HashString(GameDataTables::HIGHLIGHT_TEXTURE),
                            {0, 1, 0, 0, 0, 0, 0}};
    material->textureSlots.pushBack(slot);
    highlightMaterial.reset(material);
}

bool TileMesh::addLaneMesh(const MatrixPtr& matrix, const VertexList& vertexBuffers,
                           const IndexList& indexBuffers, const MaterialList& materials) {
    if (!laneMatrices.pushBack(matrix)) {
        return false;
    }
    if (!laneVertexBuffers.pushBack(vertexBuffers)) {
        laneMatrices.popBack();
        return false;
    }
    if (!laneIndexBuffers.pushBack(indexBuffers)) {
        laneVertexBuffers.popBack();
        laneMatrices.popBack();
        return false;
    }
    if (!laneMaterials.pushBack(materials)) {
        laneIndexBuffers.popBack();
        laneVertexBuffers.popBack();
        laneMatrices.popBack();
        return false;
    }
    return true;
}

void TileMesh::updateLanePosition(int lane, const orvo::ZqVector<3>& point) {
    if (lane < 0 || static_cast<std::size_t>(lane) >= laneMatrices.size() ||
        !laneMatrices[static_cast<std::size_t>(lane)]) {
        return;
    }
    setTranslation(*laneMatrices[static_cast<std::size_t>(lane)], point);
}

void TileMesh::render() {
    orvo::GraphicsSystem* graphics = orvo::GraphicsSystem::instance_;
    if (graphics == nullptr) {
        return;
    }
    for (std::size_t k = 0; k < laneMatrices.size(); ++k) {
        const VertexList& vertices = laneVertexBuffers[k];
        const IndexList& indices = laneIndexBuffers[k];
        const MaterialList& materials = laneMaterials[k];
        // Shorter lists lend their last entry to the pieces they lack; empty ones draw nothing.
        if (indices.empty() || materials.empty()) {
            continue;
        }
        const bool highlighted = static_cast<int32_t>(k) == highlightLane && highlightMaterial;
        for (std::size_t j = 0; j < vertices.size(); ++j) {
            boost::shared_ptr<const orvo::Material> material = materials.at(j);
            if (highlighted && material) {
                for (int c = 0; c < 4; ++c) {
                    highlightMaterial->diffuseColour[c] = material->diffuseColour[c];
                }
                material = highlightMaterial;
            }
            graphics->drawStaticItem(material, vertices[j], indices.at(j), laneMatrices[k]);
        }
    }
}

void TileMesh::clear() {
    laneMatrices.clear();
    laneMaterials.clear();
    laneVertexBuffers.clear();
    laneIndexBuffers.clear();
}
