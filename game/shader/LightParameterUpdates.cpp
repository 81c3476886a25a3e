#include "game/shader/LightParameterUpdates.h"

#include "graphics/GraphicsSystem.h"

using orvo::BaseShaderParameterUpdater;
using orvo::HashString;
using orvo::Material;
using orvo::ZqMatrix;
using orvo::ZqVector;

namespace {

const HashString AMBIENT_LIGHT(LIGHT_NAMES[0]);
const HashString DIFFUSE_LIGHT_1(LIGHT_NAMES[1]);
const HashString DIFFUSE_LIGHT_2(LIGHT_NAMES[2]);
const HashString DIFFUSE_LIGHT_3(LIGHT_NAMES[3]);

// The light of that name, or an empty pointer when none is loaded.
boost::shared_ptr<LightData> findLight(HashString name) {
    const orvo::GraphicsSystem* graphics = orvo::GraphicsSystem::instance_;
    if (graphics == nullptr || !graphics->getLightManager()) {
        return boost::shared_ptr<LightData>();
    }
    return graphics->getLightManager()->getLight(name);
}

}  // namespace

AmbientLightColorParameterUpdate::AmbientLightColorParameterUpdate()
    : orvo::ShaderParameterUpdater<ZqVector<3>>(HashString("u_ambientLightColor"),
                                                BaseShaderParameterUpdater::CACHE_PER_SHADER) {}

void AmbientLightColorParameterUpdate::update(boost::shared_ptr<ZqMatrix<4, 4>>,
                                              boost::shared_ptr<const Material>) {
    const boost::shared_ptr<LightData> light = findLight(AMBIENT_LIGHT);
    value_ = light ? ZqVector<3>(light->values[0], light->values[1], light->values[2])
                   : ZqVector<3>(1.0f, 1.0f, 1.0f);
}

DiffuseLightColorParameterUpdate::DiffuseLightColorParameterUpdate(const char* uniform,
                                                                   HashString light)
    : orvo::ShaderParameterUpdater<ZqVector<4>>(HashString(uniform),
                                                BaseShaderParameterUpdater::CACHE_PER_SHADER),
      light_(light) {}

void DiffuseLightColorParameterUpdate::update(boost::shared_ptr<ZqMatrix<4, 4>>,
                                              boost::shared_ptr<const Material>) {
    const boost::shared_ptr<LightData> light = findLight(light_);
    const float* v = light ? light->values : nullptr;
    value_ = v != nullptr ? ZqVector<4>(v[0], v[1], v[2], v[3]) : ZqVector<4>(1, 1, 1, 1);
}

DiffuseLightDirectionParameterUpdate::DiffuseLightDirectionParameterUpdate(const char* uniform,
                                                                           HashString light)
    : orvo::ShaderParameterUpdater<ZqVector<4>>(HashString(uniform),
                                                BaseShaderParameterUpdater::CACHE_PER_FRAME),
      light_(light) {}

void DiffuseLightDirectionParameterUpdate::update(boost::shared_ptr<ZqMatrix<4, 4>>,
                                                  boost::shared_ptr<const Material>) {
    const boost::shared_ptr<LightData> light = findLight(light_);
    const float* v = light ? light->values : nullptr;
    value_ = v != nullptr ? ZqVector<4>(v[7], v[8], v[9], 0.0f) : ZqVector<4>(0, 0, 1, 1);
}

DiffuseLight1ColorParameterUpdate::DiffuseLight1ColorParameterUpdate()
    : DiffuseLightColorParameterUpdate("u_diffuseLight1Color", DIFFUSE_LIGHT_1) {}
DiffuseLight1DirectionParameterUpdate::DiffuseLight1DirectionParameterUpdate()
    : DiffuseLightDirectionParameterUpdate("u_diffuseLight1Direction", DIFFUSE_LIGHT_1) {}
DiffuseLight2ColorParameterUpdate::DiffuseLight2ColorParameterUpdate()
    : DiffuseLightColorParameterUpdate("u_diffuseLight2Color", DIFFUSE_LIGHT_2) {}
DiffuseLight2DirectionParameterUpdate::DiffuseLight2DirectionParameterUpdate()
    : DiffuseLightDirectionParameterUpdate("u_diffuseLight2Direction", DIFFUSE_LIGHT_2) {}
DiffuseLight3ColorParameterUpdate::DiffuseLight3ColorParameterUpdate()
    : DiffuseLightColorParameterUpdate("u_diffuseLight3Color", DIFFUSE_LIGHT_3) {}
DiffuseLight3DirectionParameterUpdate::DiffuseLight3DirectionParameterUpdate()
    : DiffuseLightDirectionParameterUpdate("u_diffuseLight3Direction", DIFFUSE_LIGHT_3) {}
