#pragma once

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/hash/HashString.h"
#include "core/maths/ZqMatrix.h"
#include "core/maths/ZqVector.h"
#include "core/text/ZqString.h"
#include "graphics/vertex/VertexBufferManager.h"
#include "graphics/vertex/VertexIndexBufferManager.h"

// A model made of the static data of one folder: its buffers and materials and its pieces, each
// with its own transform. Pieces can be sent flying apart (an explosion) and put back.
class GraphicModel {
public:
    typedef boost::shared_ptr<orvo::ZqMatrix<4, 4>> MatrixPtr;

    // What one piece draws: entry j of the three lists is one draw.
    struct GraphicMesh {
        uint32_t reserved = 0;
        orvo::Array<orvo::HashString> vertexBuffers;
        orvo::Array<orvo::HashString> indexBuffers;
        orvo::Array<orvo::HashString> materials;
    };

    GraphicModel();
    // Removes the model's groups from its managers and from the material service.
    ~GraphicModel();
    GraphicModel(const GraphicModel&) = delete;
    GraphicModel& operator=(const GraphicModel&) = delete;

    // Loads the folder's records into the group; a folder without records gives a model
    // without pieces. False when a piece's transform could not be made.
    bool loadGraphicData(const orvo::ZqString& folder, orvo::HashString groupName);

    // Draws every piece at matrix x its transform, first moving the pieces that fly.
    void render(const MatrixPtr& matrix);

    // Gives the next piece without one a velocity; once every piece has one, further calls
    // change nothing.
    void addTransformVelocity(const orvo::ZqVector<3>& velocity,
                              const orvo::ZqVector<3>& angularVelocity);
    // Every piece back at its loaded transform.
    void resetTransforms();

    // First position of the id, or -1.
    static int findArrayIndex(orvo::HashString id, const orvo::Array<orvo::HashString>& ids);

    std::size_t getPieceCount() const { return meshes.size(); }
    const orvo::Array<MatrixPtr>& getTransforms() const { return transforms; }
    const orvo::Array<orvo::ZqVector<3>>& getVelocities() const { return velocities; }
    const orvo::Array<GraphicMesh>& getMeshes() const { return meshes; }
    orvo::HashString getGroup() const { return group; }

private:
    orvo::HashString group;
    orvo::Array<orvo::HashString> entityIds;
    orvo::Array<MatrixPtr> transforms;
    orvo::Array<MatrixPtr> loadedTransforms;
    // One world matrix per piece, reused by every draw so that drawing allocates nothing; the
    // renderer uses it only during the draw.
    orvo::Array<MatrixPtr> worlds;
    orvo::Array<GraphicMesh> meshes;
    orvo::Array<orvo::ZqVector<3>> velocities;
    orvo::Array<orvo::ZqVector<3>> angularVelocities;
    orvo::VertexBufferManager vertexBuffers;
    orvo::VertexIndexBufferManager indexBuffers;
    bool materialGroupMade;
};
