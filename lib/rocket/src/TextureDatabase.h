#pragma once

#include <Rocket/Core/Types.h>

#include <memory>

namespace Rocket {
namespace Core {

class TextureResource;

class TextureDatabase {
public:
    // One resource per source while anybody uses it.
    static std::shared_ptr<TextureResource> Fetch(const String& source);
};

}  // namespace Core
}  // namespace Rocket
