#include "game/shader/SceneParameterUpdates.h"

#include "game/objects/ObjectManager.h"
#include "game/scene/SceneManager.h"

using orvo::BaseShaderParameterUpdater;
using orvo::HashString;
using orvo::Material;
using orvo::ZqMatrix;
using orvo::ZqVector;

CurvatureParameterUpdate::CurvatureParameterUpdate(const char* uniform,
                                                   float (SceneManager::*getter)() const)
    : orvo::ShaderParameterUpdater<float>(HashString(uniform),
                                          BaseShaderParameterUpdater::CACHE_PER_FRAME),
      getter_(getter) {}

void CurvatureParameterUpdate::update(boost::shared_ptr<ZqMatrix<4, 4>>,
                                      boost::shared_ptr<const Material>) {
    if (const SceneManager* scene = SceneManager::instance_) {
        value_ = (scene->*getter_)();
    }
}

CurvatureFactorParameterUpdate::CurvatureFactorParameterUpdate()
    : CurvatureParameterUpdate("u_curvatureFactor", &SceneManager::getCurvatureFactor) {}
CurvatureZFactorParameterUpdate::CurvatureZFactorParameterUpdate()
    : CurvatureParameterUpdate("u_curvatureZFactor", &SceneManager::getZCurvature) {}

AirCraftColorParameterUpdate::AirCraftColorParameterUpdate(const char* uniform,
                                                           ZqVector<3> AirCraft::*colour)
    : orvo::ShaderParameterUpdater<ZqVector<3>>(HashString(uniform),
                                                BaseShaderParameterUpdater::CACHE_NONE),
      colour_(colour) {}

void AirCraftColorParameterUpdate::update(boost::shared_ptr<ZqMatrix<4, 4>>,
                                          boost::shared_ptr<const Material>) {
    const SceneManager* scene = SceneManager::instance_;
    if (scene == nullptr || !scene->getObjectManager()) {
        return;
    }
    if (const AirCraft* craft = scene->getObjectManager()->getPlayerAirCraft().get()) {
        value_ = craft->*colour_;
    }
}

AirCraftBodyColorParameterUpdate::AirCraftBodyColorParameterUpdate()
    : AirCraftColorParameterUpdate("u_airCraftBodyColor", &AirCraft::bodyColour) {}
AirCraftSymbolColorParameterUpdate::AirCraftSymbolColorParameterUpdate()
    : AirCraftColorParameterUpdate("u_airCraftSymbolColor", &AirCraft::symbolColour) {}
