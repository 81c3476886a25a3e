#include "TextureDatabase.h"

#include "TextureResource.h"

#include <map>

namespace Rocket {
namespace Core {

std::shared_ptr<TextureResource> TextureDatabase::Fetch(const String& source) {
    static auto* textures = new std::map<String, std::weak_ptr<TextureResource>>();
    std::shared_ptr<TextureResource> texture = (*textures)[source].lock();
    if (!texture) {
        texture = std::make_shared<TextureResource>(source);
        (*textures)[source] = texture;
    }
    // Drop entries of textures nobody uses any more.
    for (auto entry = textures->begin(); entry != textures->end();)
        entry = entry->second.expired() ? textures->erase(entry) : std::next(entry);
    return texture;
}

}  // namespace Core
}  // namespace Rocket
