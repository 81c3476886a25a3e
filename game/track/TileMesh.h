#pragma once

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/maths/ZqMatrix.h"
#include "core/maths/ZqVector.h"
#include "graphics/material/Material.h"
#include "graphics/vertex/VertexBufferData.h"
#include "graphics/vertex/VertexIndexBufferData.h"

// Draws one tile shape: a mesh per lane, each placed by its own matrix; one lane may be drawn
// highlighted.
class TileMesh {
public:
    typedef boost::shared_ptr<orvo::ZqMatrix<4, 4>> MatrixPtr;
    typedef orvo::Array<boost::shared_ptr<const orvo::VertexBufferData>> VertexList;
    typedef orvo::Array<boost::shared_ptr<const orvo::VertexIndexBufferData>> IndexList;
    typedef orvo::Array<boost::shared_ptr<const orvo::Material>> MaterialList;

    TileMesh();

    // Appends one lane mesh; the lists are copied.
    bool addLaneMesh(const MatrixPtr& matrix, const VertexList& vertexBuffers,
                     const IndexList& indexBuffers, const MaterialList& materials);
    // Moves a lane's matrix to the point; a lane without a mesh is ignored.
    void updateLanePosition(int lane, const orvo::ZqVector<3>& point);
    void render();
    // Drops every lane mesh (the highlight material stays).
    void clear();

    std::size_t getLaneCount() const { return laneMatrices.size(); }
    const MatrixPtr& getLaneMatrix(std::size_t lane) const { return laneMatrices[lane]; }
    const boost::shared_ptr<orvo::Material>& getHighlightMaterial() const {
        return highlightMaterial;
    }

    int32_t highlightLane;

private:
    orvo::Array<MatrixPtr> laneMatrices;
    boost::shared_ptr<orvo::Material> highlightMaterial;
    orvo::Array<MaterialList> laneMaterials;
    orvo::Array<VertexList> laneVertexBuffers;
    orvo::Array<IndexList> laneIndexBuffers;
};
