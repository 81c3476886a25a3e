#include "graphics/texture/TextureLoader.h"

#include "core/data/StaticObjectLoader.h"
#include "graphics/texture/BitmapManager.h"
#include "graphics/texture/TextureManager.h"

namespace orvo {

namespace {

// Loads one record set of the group; records that own data free it when the array goes.
template <class T>
bool loadSet(const ZqString& path, Array<HashString>& ids, Array<T>& records) {
    const ZqString stem = path + StaticObjectLoader::typeSuffix(StaticRecord<T>::TYPE_NAME);
    if (StaticObjectLoader::loadObjects(records, stem, 0) < 1) {
        return false;
    }
    return StaticObjectLoader::loadRemaining(ids, records, stem, 0);
}

}  // namespace

Array<HashString> TextureLoader::loadTextures(HashString group, const ZqString& path) {
    Array<HashString> bitmapIds;
    Array<BitmapData> bitmaps;
    Array<HashString> textureIds;
    Array<TextureData> textures;
    if (!loadSet(path, bitmapIds, bitmaps) || !loadSet(path, textureIds, textures)) {
        return Array<HashString>();
    }
    return loadTextures(group, bitmapIds, bitmaps, textureIds, textures);
}

Array<HashString> TextureLoader::loadTextures(HashString group,
                                              const Array<HashString>& bitmapNames,
                                              Array<BitmapData>& bitmaps,
                                              const Array<HashString>& textureNames,
                                              Array<TextureData>& textures) {
    TextureManager* manager = TextureManager::instance_;
    BitmapManager local;
    BitmapManager::DataStore& bitmapStore = local.getStaticStore();
    local.createGroup(bitmapStore, group);
    if (manager == nullptr || bitmaps.empty() ||
        !local.insertGroup(bitmapStore, group, bitmapNames, bitmaps)) {
        local.removeGroup(bitmapStore, group);
        return Array<HashString>();
    }
    // A group that was there before keeps its textures when this load fails.
    const bool created = manager->createGroup(manager->getStaticStore(), group);
    const bool built = manager->insertStaticGroup(group, textureNames, textures, local);
    local.removeGroup(bitmapStore, group);
    if (!built) {
        if (created) {
            manager->removeGroup(manager->getStaticStore(), group);
        }
        return Array<HashString>();
    }
    return textureNames;
}

}  // namespace orvo
