#pragma once

// Creates the game's eighteen shader-parameter updaters and registers them with the shader
// cache before the shader programs are added: the matrices, the material's values, the
// lights, the track's curvature and the player craft's colours. A uniform the cache already
// has an updater for is skipped, so a second call leaves the registry as it is. False when
// the shader cache is not there or memory ran out (the updaters made until then stay
// registered).
bool registerShaderParameterUpdaters();
