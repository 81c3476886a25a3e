#include "graphics/shader/ShaderCache.h"

#include "graphics/material/Material.h"
#include "graphics/shader/ShaderManager.h"

namespace orvo {

void ShaderCache::addUpdater(const boost::shared_ptr<BaseShaderParameterUpdater>& updater) {
    if (updater) {
        registry_.pushBack(UpdaterEntry{updater->getName(), updater});
    }
}

boost::shared_ptr<BaseShaderParameterUpdater> ShaderCache::findUpdater(HashString name,
                                                                       const UpdaterArray& array) {
    for (const UpdaterEntry& entry : array) {
        if (entry.name == name) {
            return entry.updater;
        }
    }
    return boost::shared_ptr<BaseShaderParameterUpdater>();
}

void ShaderCache::cacheUpdater(const boost::shared_ptr<BaseShaderParameterUpdater>& updater) {
    switch (updater->getCacheKind()) {
        case BaseShaderParameterUpdater::CACHE_PER_SHADER:
            shaderCache_.pushBack(UpdaterEntry{updater->getName(), updater});
            break;
        case BaseShaderParameterUpdater::CACHE_PER_FRAME:
            frameCache_.pushBack(UpdaterEntry{updater->getName(), updater});
            break;
        default:
            break;
    }
}

void ShaderCache::clearShaderCache(const boost::shared_ptr<ShaderProgram>& program) {
    if (program == current_) {
        return;
    }
    current_ = program;
    if (ShaderManager::instance_ != nullptr) {
        ShaderManager::instance_->setActiveShaderProgram(program);
    }
    shaderCache_.clear();
}

void ShaderCache::updateShaderParameters(const boost::shared_ptr<ZqMatrix<4, 4>>& world,
                                         const boost::shared_ptr<const Material>& material,
                                         HashString shaderOverride) {
    ShaderManager* manager = ShaderManager::instance_;
    if (manager == nullptr) {
        return;
    }
    boost::shared_ptr<ShaderProgram> program;
    if (shaderOverride != HashString()) {
        program = manager->getShaderProgram(shaderOverride);
    } else if (material) {
        program = manager->getShaderProgram(material->shaderName);
    }
    if (!program) {
        return;
    }
    clearShaderCache(program);
    for (const ShaderParameter& parameter : program->cachedParameters) {
        boost::shared_ptr<BaseShaderParameterUpdater> updater =
            findUpdater(parameter.name, frameCache_);
        if (!updater) {
            updater = findUpdater(parameter.name, shaderCache_);
        }
        if (updater) {
            parameter.updateParameter(updater);
            continue;
        }
        updater = findUpdater(parameter.name, registry_);
        if (updater) {
            updater->update(world, material);
            parameter.updateParameter(updater);
            cacheUpdater(updater);
        }
    }
}

}  // namespace orvo
