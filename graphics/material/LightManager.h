#pragma once

#include "core/data/DynamicDataManager.h"
#include "graphics/material/LightData.h"

namespace orvo {

// The lights, held by the graphics service; the game's light updaters read them by name.
class LightManager : public DynamicDataManager<LightData> {
public:
    void processOnRemove(LightData&) override {}

    // The light named id in the dynamic store, or an empty pointer when none is loaded.
    boost::shared_ptr<LightData> getLight(HashString id) const { return lookup(dynamicStore_, id); }
};

}  // namespace orvo
