#pragma once

#include "core/maths/ZqVector.h"

class SceneManager;

// Where a world point shows on the current render target (pixels from the bottom left)
// through the scene camera, bent as the world's shaders bend it with the scene's curvature (or
// not bent); false behind the camera. It leaves the scene camera set on the target.
bool projectToScreen(SceneManager& scene, const orvo::ZqVector<3>& point, float& x, float& y,
                     bool bent = true);
