#pragma once

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/hash/HashString.h"
#include "core/locator/ServiceSingleton.h"
#include "core/maths/ZqMatrix.h"
#include "graphics/shader/BaseShaderParameterUpdater.h"
#include "graphics/shader/ShaderProgram.h"

namespace orvo {

class Material;

// The registry of parameter updaters and the two caches of their computed values.
class ShaderCache : public Locator::ServiceSingleton<ShaderCache> {
public:
    struct UpdaterEntry {
        HashString name;
        boost::shared_ptr<BaseShaderParameterUpdater> updater;
    };
    typedef Array<UpdaterEntry> UpdaterArray;

    ShaderCache() {}
    ~ShaderCache() override {}

    // For a name registered twice the first registration stays in force.
    void addUpdater(const boost::shared_ptr<BaseShaderParameterUpdater>& updater);
    static boost::shared_ptr<BaseShaderParameterUpdater> findUpdater(HashString name,
                                                                     const UpdaterArray& array);
    void cacheUpdater(const boost::shared_ptr<BaseShaderParameterUpdater>& updater);
    // Makes the program current and empties the per-shader cache, only when it changes.
    void clearShaderCache(const boost::shared_ptr<ShaderProgram>& program);
    void clearFrameCache() { frameCache_.clear(); }
    // Every registered updater, in registration order.
    const UpdaterArray& getRegistry() const { return registry_; }

    // Makes the draw's program current and feeds each of its uniforms from an updater.
    void updateShaderParameters(const boost::shared_ptr<ZqMatrix<4, 4>>& world,
                                const boost::shared_ptr<const Material>& material,
                                HashString shaderOverride);

private:
    boost::shared_ptr<ShaderProgram> current_;
    UpdaterArray registry_;
    UpdaterArray shaderCache_;
    UpdaterArray frameCache_;
};

}  // namespace orvo
