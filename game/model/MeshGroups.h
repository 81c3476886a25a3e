#pragma once

#include "core/hash/HashString.h"
#include "core/text/ZqString.h"
#include "graphics/vertex/VertexBufferManager.h"
#include "graphics/vertex/VertexIndexBufferManager.h"

// The drawable data of a model folder: its vertex and index blocks go into the owner's two
// managers and its materials into the material service, all under one group.

// True when the material group was made (it is the caller's to remove).
bool loadMeshGroups(const orvo::ZqString& folder, orvo::HashString group,
                    orvo::VertexBufferManager& vertexBuffers,
                    orvo::VertexIndexBufferManager& indexBuffers);

void removeMeshGroups(orvo::HashString group, orvo::VertexBufferManager& vertexBuffers,
                      orvo::VertexIndexBufferManager& indexBuffers, bool materials);
