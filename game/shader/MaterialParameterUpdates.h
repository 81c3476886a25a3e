#pragma once

#include "core/maths/ZqVector.h"
#include "graphics/shader/ShaderParameterUpdater.h"

namespace orvo {
class Material;
}

// The draw's material: its colour and factors, recomputed for every draw. A draw without a
// material leaves the last value.

// "u_materialDiffuseColor": the material's diffuse colour (red, green, blue).
class MaterialDiffuseColorParameterUpdate : public orvo::ShaderParameterUpdater<orvo::ZqVector<3>> {
public:
    MaterialDiffuseColorParameterUpdate();
    void update(boost::shared_ptr<orvo::ZqMatrix<4, 4>> world,
                boost::shared_ptr<const orvo::Material> material) override;
};

// One float field of the material.
class MaterialFactorParameterUpdate : public orvo::ShaderParameterUpdater<float> {
public:
    void update(boost::shared_ptr<orvo::ZqMatrix<4, 4>> world,
                boost::shared_ptr<const orvo::Material> material) override;

protected:
    MaterialFactorParameterUpdate(const char* uniform, float orvo::Material::*field);

private:
    float orvo::Material::*field_;
};

// "u_emissiveLevel": the material's emissive level.
class EmissiveParameterUpdate : public MaterialFactorParameterUpdate {
public:
    EmissiveParameterUpdate();
};

// "u_materialSpecularFactor": the material's specular factor.
class MaterialSpecularFactorParameterUpdate : public MaterialFactorParameterUpdate {
public:
    MaterialSpecularFactorParameterUpdate();
};

// "u_materialSpecularPower": the material's specular power.
class MaterialSpecularPowerParameterUpdate : public MaterialFactorParameterUpdate {
public:
    MaterialSpecularPowerParameterUpdate();
};
