#pragma once

#include <GLES2/gl2.h>

#include <cstdint>

#include "graphics/texture/BitmapData.h"

namespace orvo {

// Puts pixel records into the texture bound to GL_TEXTURE_2D.
struct TextureUpload {
    // The bytes a level of that format and size takes; false for an unknown format or a size
    // beyond 32 bits. ETC1 stores whole 4 x 4 blocks of 8 bytes, so a 2 x 2 level takes 8.
    static bool levelBytes(uint32_t format, uint32_t width, uint32_t height, uint32_t& bytes);

    // Filters of a TextureData filter mode; other modes set none.
    static void setFilter(uint32_t filterMode);

    // Uploads the bitmap as the given level. Unknown formats and bitmaps holding fewer bytes
    // than their size needs upload nothing; false then.
    static bool uploadLevel(GLint level, const BitmapData& bitmap);
};

}  // namespace orvo
