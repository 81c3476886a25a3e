#pragma once

#include <boost/shared_ptr.hpp>
#include <vector>

#include "core/maths/ZqVector.h"
#include "graphics/shader/BaseShaderParameterUpdater.h"

// What the scene hands its shaders beyond the draw itself.
struct SceneValues {
    float curvatureFactor = 1400.0f;
    float curvatureZ = 0.0f;
    orvo::ZqVector<3> bodyColour{1.0f, 1.0f, 1.0f};
    orvo::ZqVector<3> symbolColour{0.8f, 0.0f, 0.0f};
};

typedef std::vector<boost::shared_ptr<orvo::BaseShaderParameterUpdater>> SceneUpdaterList;

// Stands in for the game's shader-parameter updaters: one per uniform the game feeds, with
// the game's value type and cache kind, computing its value the same way from the draw's
// world matrix and material, the lights of the graphics service (with the same defaults when
// a light is missing), the render target's matrices and the scene values (which must outlive
// the updaters). Registers them with the shader cache and returns them.
SceneUpdaterList registerSceneUpdaters(const SceneValues& scene);
