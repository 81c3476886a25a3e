#pragma once

#include <string>

// The graphics side of the game's data load, in the game's order: the shader-parameter
// updaters, the lights of the archive's light file, the thirteen programs, the built-in
// textures and the seven texture groups. Needs the shader, texture and graphics services and
// the archive as the root path. Gives what failed, or an empty text.
std::string loadGameGraphics();
