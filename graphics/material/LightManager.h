#pragma once

#include "core/data/DynamicDataManager.h"
#include "graphics/material/LightData.h"

namespace orvo {

// The lights, held by the graphics service; the game's light updaters read them by name.
class LightManager : public DynamicDataManager<LightData> {
public:
    void processOnRemove(LightData&) override {}
};

}  // namespace orvo
