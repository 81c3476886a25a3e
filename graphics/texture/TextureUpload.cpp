#include "graphics/texture/TextureUpload.h"

#include <GLES2/gl2ext.h>

#include "graphics/texture/TextureData.h"

namespace orvo {

bool TextureUpload::levelBytes(uint32_t format, uint32_t width, uint32_t height, uint32_t& bytes) {
    uint64_t size = 0;
    switch (format) {
        case BitmapData::FORMAT_RGBA:
            size = uint64_t(width) * height * 4;
            break;
        case BitmapData::FORMAT_RGB:
            size = uint64_t(width) * height * 3;
            break;
        case BitmapData::FORMAT_ETC1:
            size = ((uint64_t(width) + 3) / 4) * ((uint64_t(height) + 3) / 4) * 8;
            break;
        default:
            return false;
    }
    if (size > UINT32_MAX) {
        return false;
    }
    bytes = static_cast<uint32_t>(size);
    return true;
}

void TextureUpload::setFilter(uint32_t filterMode) {
    GLint mag = 0;
    GLint min = 0;
    switch (filterMode) {
        case TextureData::FILTER_NEAREST:
            mag = min = GL_NEAREST;
            break;
        case TextureData::FILTER_LINEAR:
            mag = min = GL_LINEAR;
            break;
        case TextureData::FILTER_MIPMAP:
            mag = GL_LINEAR;
            min = GL_LINEAR_MIPMAP_LINEAR;
            break;
        default:
            return;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, mag);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, min);
}

bool TextureUpload::uploadLevel(GLint level, const BitmapData& bitmap) {
    uint32_t bytes = 0;
    if (!levelBytes(bitmap.format, bitmap.width, bitmap.height, bytes) ||
        bitmap.pixelSize < bytes || (bytes != 0 && bitmap.pixels == nullptr)) {
        return false;
    }
    const GLsizei width = static_cast<GLsizei>(bitmap.width);
    const GLsizei height = static_cast<GLsizei>(bitmap.height);
    if (bitmap.format == BitmapData::FORMAT_ETC1) {
        glCompressedTexImage2D(GL_TEXTURE_2D, level, GL_ETC1_RGB8_OES, width, height, 0,
                               static_cast<GLsizei>(bytes), bitmap.pixels);
        return true;
    }
    const bool rgb = bitmap.format == BitmapData::FORMAT_RGB;
    const GLenum format = rgb ? GL_RGB : GL_RGBA;
    // Rows are tightly packed: with rows that are not a multiple of 4 bytes, GL's default
    // alignment would shear the image and read past the end of the pixels.
    const bool tight = (uint64_t(bitmap.width) * (rgb ? 3 : 4)) % 4 != 0;
    if (tight) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    }
    glTexImage2D(GL_TEXTURE_2D, level, static_cast<GLint>(format), width, height, 0, format,
                 GL_UNSIGNED_BYTE, bitmap.pixels);
    if (tight) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    }
    return true;
}

}  // namespace orvo
