#pragma once

#include "core/data/DynamicDataManager.h"
#include "core/data/StaticDataManager.h"
#include "graphics/vertex/VertexBufferData.h"

namespace orvo {

// Vertex blocks of the game's models, track and objects, found by name.
class VertexBufferManager : public StaticDataManager<VertexBufferData>,
                            public DynamicDataManager<VertexBufferData> {
public:
    using StaticDataManager<VertexBufferData>::getStatic;
    using StaticDataManager<VertexBufferData>::staticExists;

    void processOnRemove(VertexBufferData&) override {}
};

}  // namespace orvo
