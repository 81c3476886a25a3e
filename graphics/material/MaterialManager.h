#pragma once

#include "core/data/DynamicDataManager.h"
#include "core/data/StaticDataManager.h"
#include "core/locator/ServiceSingleton.h"
#include "graphics/material/Material.h"

namespace orvo {

// The material service: loaded groups in the static part, run-time groups in the dynamic one.
// Group operations name the part they act on, e.g.
// StaticDataManager<Material>::createGroup(getStaticStore(), group).
class MaterialManager : public Locator::ServiceSingleton<MaterialManager>,
                        public StaticDataManager<Material>,
                        public DynamicDataManager<Material> {
public:
    using StaticDataManager<Material>::getStatic;
    using StaticDataManager<Material>::staticExists;

    void processOnRemove(Material&) override {}
};

}  // namespace orvo
