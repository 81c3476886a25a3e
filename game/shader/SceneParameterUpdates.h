#pragma once

#include "core/maths/ZqVector.h"
#include "graphics/shader/ShaderParameterUpdater.h"

class AirCraft;
class SceneManager;

// Values of the game's scene. The two curvature values are taken once per frame, so every
// draw of a frame bends the world alike even when the scene changes the bend during the frame;
// the craft's colours are taken for every draw. Without a scene (or a player craft) the last
// value stays.

// One curvature value of the scene.
class CurvatureParameterUpdate : public orvo::ShaderParameterUpdater<float> {
public:
    void update(boost::shared_ptr<orvo::ZqMatrix<4, 4>> world,
                boost::shared_ptr<const orvo::Material> material) override;

protected:
    CurvatureParameterUpdate(const char* uniform, float (SceneManager::*getter)() const);

private:
    float (SceneManager::*getter_)() const;
};

// "u_curvatureFactor": the scene's curvature factor.
class CurvatureFactorParameterUpdate : public CurvatureParameterUpdate {
public:
    CurvatureFactorParameterUpdate();
};

// "u_curvatureZFactor": the scene's sideways bend, its Z curvature.
class CurvatureZFactorParameterUpdate : public CurvatureParameterUpdate {
public:
    CurvatureZFactorParameterUpdate();
};

// One colour (red, green, blue) of the player craft.
class AirCraftColorParameterUpdate : public orvo::ShaderParameterUpdater<orvo::ZqVector<3>> {
public:
    void update(boost::shared_ptr<orvo::ZqMatrix<4, 4>> world,
                boost::shared_ptr<const orvo::Material> material) override;

protected:
    AirCraftColorParameterUpdate(const char* uniform, orvo::ZqVector<3> AirCraft::*colour);

private:
    orvo::ZqVector<3> AirCraft::*colour_;
};

// "u_airCraftBodyColor": the player craft's body colour.
class AirCraftBodyColorParameterUpdate : public AirCraftColorParameterUpdate {
public:
    AirCraftBodyColorParameterUpdate();
};

// "u_airCraftSymbolColor": the player craft's symbol colour.
class AirCraftSymbolColorParameterUpdate : public AirCraftColorParameterUpdate {
public:
    AirCraftSymbolColorParameterUpdate();
};
