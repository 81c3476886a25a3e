#pragma once

#include "core/data/DynamicDataManager.h"
#include "core/data/StaticDataManager.h"
#include "graphics/vertex/VertexIndexBufferData.h"

namespace orvo {

// Index blocks of the game's models, track and objects, found by name.
class VertexIndexBufferManager : public StaticDataManager<VertexIndexBufferData>,
                                 public DynamicDataManager<VertexIndexBufferData> {
public:
    using StaticDataManager<VertexIndexBufferData>::getStatic;
    using StaticDataManager<VertexIndexBufferData>::staticExists;

    void processOnRemove(VertexIndexBufferData&) override {}
};

}  // namespace orvo
