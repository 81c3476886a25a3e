#pragma once

#include <cstdint>

#include "core/containers/Array.h"
#include "core/data/StaticDataManager.h"
#include "core/hash/HashString.h"
#include "core/locator/ServiceSingleton.h"
#include "graphics/texture/BitmapManager.h"
#include "graphics/texture/TextureData.h"
#include "graphics/texture/TextureInfo.h"

namespace orvo {

extern const HashString DEFAULT_TEXTURE;
extern const HashString DEFAULT_WHITE;
extern const HashString DEFAULT_TEXTURE_GROUP;

// The texture service: GL textures found by name, made from pixel records and texture
// descriptions, plus two built-in 32 x 32 textures.
class TextureManager : public Locator::ServiceSingleton<TextureManager>,
                       public StaticDataManager<TextureInfo> {
public:
    static constexpr uint32_t DEFAULT_SIZE = 32;
    static constexpr uint32_t DEFAULT_BYTES = DEFAULT_SIZE * DEFAULT_SIZE * 4;

    TextureManager() {}
    ~TextureManager() override {}

    // Builds the built-in textures: DEFAULT_TEXTURE filled with colour (lowest byte red, as
    // it lies in memory) and DEFAULT_WHITE. Does nothing when already initialised.
    void initialise(unsigned long colour);
    void uninitialise();
    bool isInitialised() const { return initialised_; }

    // One GL texture per TextureData, its levels taken from the named bitmaps, inserted into
    // the existing group under names. False when nothing was made or the insert fails.
    bool insertStaticGroup(HashString group, const Array<HashString>& names,
                           Array<TextureData>& textures, BitmapManager& bitmaps);

    // Creates empty textures of the templates' format and size, in a new group.
    bool insertTextureTemplateGroup(HashString group, const Array<HashString>& names,
                                    Array<TextureInfo>& templates);

    // Removing a group deletes its GL textures.
    void processOnRemove(TextureInfo& texture) override;

    // How many times texture services have bound or deleted GL textures so far. Making a
    // texture binds it, and GL may give a deleted texture's name to the next one made, so a
    // record of bound textures kept elsewhere is stale once this count moves.
    static uint64_t bindingChanges();

    // tile when value < tile; else value rounded to the nearest multiple of tile, a
    // remainder of exactly tile / 2 rounding down.
    static unsigned getNearestMultipleOfTileSize(unsigned value, unsigned tile);

private:
    bool initialised_ = false;
    unsigned char defaultPixels_[DEFAULT_BYTES] = {};
    unsigned char whitePixels_[DEFAULT_BYTES] = {};
};

}  // namespace orvo
