#pragma once

#include "core/data/StaticDataManager.h"
#include "graphics/texture/BitmapData.h"

namespace orvo {

// Holds the pixel records of one texture load while its textures are made.
class BitmapManager : public StaticDataManager<BitmapData> {};

}  // namespace orvo
