#pragma once

#include "core/containers/Array.h"
#include "core/hash/HashString.h"
#include "core/text/ZqString.h"
#include "graphics/texture/BitmapData.h"
#include "graphics/texture/TextureData.h"

namespace orvo {

// Loads a texture group into the texture service from its BitmapData and TextureData sets.
class TextureLoader {
public:
    // path is the group's path, e.g. "Textures/Skycube"; the two sets are path + the type
    // suffix. Returns the texture names, or an empty array on any failure (no group then).
    static Array<HashString> loadTextures(HashString group, const ZqString& path);

    // The same from records in memory; the group takes over the texture records.
    static Array<HashString> loadTextures(HashString group, const Array<HashString>& bitmapNames,
                                          Array<BitmapData>& bitmaps,
                                          const Array<HashString>& textureNames,
                                          Array<TextureData>& textures);
};

}  // namespace orvo
