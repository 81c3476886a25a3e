#include "game/shader/MaterialParameterUpdates.h"

#include "graphics/material/Material.h"

using orvo::BaseShaderParameterUpdater;
using orvo::HashString;
using orvo::Material;
using orvo::ZqMatrix;
using orvo::ZqVector;

MaterialDiffuseColorParameterUpdate::MaterialDiffuseColorParameterUpdate()
    : orvo::ShaderParameterUpdater<ZqVector<3>>(HashString("u_materialDiffuseColor"),
                                                BaseShaderParameterUpdater::CACHE_NONE) {}

void MaterialDiffuseColorParameterUpdate::update(boost::shared_ptr<ZqMatrix<4, 4>>,
                                                 boost::shared_ptr<const Material> material) {
    if (material) {
        const float* c = material->diffuseColour;
        value_ = ZqVector<3>(c[0], c[1], c[2]);
    }
}

MaterialFactorParameterUpdate::MaterialFactorParameterUpdate(const char* uniform,
                                                             float Material::*field)
    : orvo::ShaderParameterUpdater<float>(HashString(uniform),
                                          BaseShaderParameterUpdater::CACHE_NONE),
      field_(field) {}

void MaterialFactorParameterUpdate::update(boost::shared_ptr<ZqMatrix<4, 4>>,
                                           boost::shared_ptr<const Material> material) {
    if (material) {
        value_ = (*material).*field_;
    }
}

EmissiveParameterUpdate::EmissiveParameterUpdate()
    : MaterialFactorParameterUpdate("u_emissiveLevel", &Material::emissiveLevel) {}
MaterialSpecularFactorParameterUpdate::MaterialSpecularFactorParameterUpdate()
    : MaterialFactorParameterUpdate("u_materialSpecularFactor", &Material::specularFactor) {}
MaterialSpecularPowerParameterUpdate::MaterialSpecularPowerParameterUpdate()
    : MaterialFactorParameterUpdate("u_materialSpecularPower", &Material::specularPower) {}
