#pragma once

#include <Rocket/Core/Colour.h>
#include <Rocket/Core/String.h>
#include <Rocket/Core/Vector2.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Rocket {
namespace Core {

typedef unsigned char byte;
typedef unsigned short word;
typedef std::vector<String> StringList;

typedef Vector2<int> Vector2i;
typedef Vector2<float> Vector2f;
typedef Colour<byte, 255> Colourb;

// Handles are chosen by the application's interfaces; 0 means none.
typedef uintptr_t TextureHandle;
typedef uintptr_t CompiledGeometryHandle;
typedef uintptr_t FileHandle;

class Element;
class ElementDocument;
class Context;
typedef std::vector<Element*> ElementList;

}  // namespace Core
}  // namespace Rocket
