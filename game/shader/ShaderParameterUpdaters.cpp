#include "game/shader/ShaderParameterUpdaters.h"

#include "core/memory/ZequinAllocation.h"
#include "game/shader/LightParameterUpdates.h"
#include "game/shader/MaterialParameterUpdates.h"
#include "game/shader/SceneParameterUpdates.h"
#include "game/shader/WorldParameterUpdates.h"
#include "graphics/shader/ShaderCache.h"

namespace {

// An updater whose uniform the cache already serves is not added again, so that loading the
// game data anew does not grow the registry.
template <class Updater>
bool add(orvo::ShaderCache& cache) {
    Updater* made = new (0, ZequinAllocation) Updater();
    if (made == nullptr) {
        return false;
    }
    const boost::shared_ptr<orvo::BaseShaderParameterUpdater> updater(made);
    if (!orvo::ShaderCache::findUpdater(updater->getName(), cache.getRegistry())) {
        cache.addUpdater(updater);
    }
    return true;
}

}  // namespace

bool registerShaderParameterUpdaters() {
    orvo::ShaderCache* cache = orvo::ShaderCache::instance_;
    return cache != nullptr && add<TransformParameterUpdate>(*cache) &&
           add<ModelViewProjectionParameterUpdate>(*cache) &&
           add<EmissiveParameterUpdate>(*cache) &&
           add<MaterialDiffuseColorParameterUpdate>(*cache) &&
           add<MaterialSpecularFactorParameterUpdate>(*cache) &&
           add<MaterialSpecularPowerParameterUpdate>(*cache) &&
           add<WorldInverseTransposeParameterUpdate>(*cache) &&
           add<AmbientLightColorParameterUpdate>(*cache) &&
           add<DiffuseLight1ColorParameterUpdate>(*cache) &&
           add<DiffuseLight1DirectionParameterUpdate>(*cache) &&
           add<DiffuseLight2ColorParameterUpdate>(*cache) &&
           add<DiffuseLight2DirectionParameterUpdate>(*cache) &&
           add<DiffuseLight3ColorParameterUpdate>(*cache) &&
           add<DiffuseLight3DirectionParameterUpdate>(*cache) &&
           add<CurvatureFactorParameterUpdate>(*cache) &&
           add<CurvatureZFactorParameterUpdate>(*cache) &&
           add<AirCraftBodyColorParameterUpdate>(*cache) &&
           add<AirCraftSymbolColorParameterUpdate>(*cache);
}
