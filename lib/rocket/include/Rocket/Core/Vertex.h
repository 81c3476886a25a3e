#pragma once

#include <Rocket/Core/Types.h>

namespace Rocket {
namespace Core {

// Pixels from the context's top left; texture coordinates from the texture's top left.
struct Vertex {
    Vector2f position;
    Colourb colour;
    Vector2f tex_coord;
};

}  // namespace Core
}  // namespace Rocket
