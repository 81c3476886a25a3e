#include "graphics/texture/TextureManager.h"

#include <GLES2/gl2.h>

#include <cstring>
#include <vector>

#include "graphics/texture/TextureUpload.h"

namespace orvo {

const HashString DEFAULT_TEXTURE("DefaultTexture");
const HashString DEFAULT_WHITE("DefaultWhiteTexture");
const HashString DEFAULT_TEXTURE_GROUP("DefaultTextureGroup");

namespace {

// Counted by every bind and delete below.
uint64_t changes = 0;

void deleteTextures(GLsizei count, const GLuint* names) {
    ++changes;
    glDeleteTextures(count, names);
}

// Binds a newly generated texture with the wrap and row alignment every made texture starts
// from.
void bindNewTexture(GLuint name) {
    ++changes;
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

}  // namespace

void TextureManager::initialise(unsigned long colour) {
    if (initialised_) {
        return;
    }
    for (uint32_t i = 0; i < DEFAULT_BYTES; i += 4) {
        for (uint32_t c = 0; c < 4; ++c) {
            defaultPixels_[i + c] = static_cast<unsigned char>(colour >> (8 * c));
        }
    }
    std::memset(whitePixels_, 0xFF, sizeof(whitePixels_));

    BitmapManager bitmaps;
    BitmapData bitmapRecords[2] = {BitmapData(DEFAULT_SIZE, DEFAULT_SIZE, BitmapData::FORMAT_RGBA,
                                              DEFAULT_BYTES, defaultPixels_),
                                   BitmapData(DEFAULT_SIZE, DEFAULT_SIZE, BitmapData::FORMAT_RGBA,
                                              DEFAULT_BYTES, whitePixels_)};
    Array<BitmapData> bitmapItems = Array<BitmapData>::view(bitmapRecords, 2);
    Array<HashString> names;
    names.pushBack(DEFAULT_TEXTURE);
    names.pushBack(DEFAULT_WHITE);
    bitmaps.createGroup(bitmaps.getStaticStore(), DEFAULT_TEXTURE_GROUP);
    bitmaps.insertGroup(bitmaps.getStaticStore(), DEFAULT_TEXTURE_GROUP, names, bitmapItems);

    Array<TextureData> textures;
    for (HashString name : names) {
        TextureData texture;
        texture.filterMode = TextureData::FILTER_NEAREST;
        texture.bitmapNames.pushBack(name);
        textures.pushBack(texture);
    }
    createGroup(staticStore_, DEFAULT_TEXTURE_GROUP);
    insertStaticGroup(DEFAULT_TEXTURE_GROUP, names, textures, bitmaps);
    bitmaps.removeGroup(bitmaps.getStaticStore(), DEFAULT_TEXTURE_GROUP);
    initialised_ = true;
}

void TextureManager::uninitialise() {
    if (!initialised_) {
        return;
    }
    removeGroup(staticStore_, DEFAULT_TEXTURE_GROUP);
    initialised_ = false;
}

bool TextureManager::insertStaticGroup(HashString group, const Array<HashString>& names,
                                       Array<TextureData>& textures, BitmapManager& bitmaps) {
    if (textures.empty()) {
        return false;
    }
    std::vector<GLuint> glNames(textures.size(), 0);
    glGenTextures(static_cast<GLsizei>(glNames.size()), glNames.data());
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);

    Array<TextureInfo> made;
    for (std::size_t i = 0; i < textures.size(); ++i) {
        const TextureData& texture = textures[i];
        bindNewTexture(glNames[i]);
        if (!texture.bitmapNames.empty()) {
            TextureUpload::setFilter(texture.filterMode);
        }
        TextureInfo info{glNames[i], 0, 0, 0, texture.filterMode};
        for (std::size_t level = 0; level < texture.bitmapNames.size(); ++level) {
            // A level whose bitmap the load lacks is left out rather than read from nowhere;
            // one whose upload was refused says nothing about the texture either.
            const boost::shared_ptr<BitmapData> bitmap =
                bitmaps.getStatic(texture.bitmapNames[level]);
            if (!bitmap || !TextureUpload::uploadLevel(static_cast<GLint>(level), *bitmap)) {
                continue;
            }
            info.format = bitmap->format;
            if (level == 0) {
                info.width = bitmap->width;
                info.height = bitmap->height;
            }
        }
        made.pushBack(info);
    }
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
    if (made.size() != textures.size() || !insertGroup(staticStore_, group, names, made)) {
        // The textures would have no owner to delete them.
        deleteTextures(static_cast<GLsizei>(glNames.size()), glNames.data());
        return false;
    }
    return true;
}

bool TextureManager::insertTextureTemplateGroup(HashString group, const Array<HashString>& names,
                                                Array<TextureInfo>& templates) {
    std::vector<GLuint> glNames(templates.size(), 0);
    if (!glNames.empty()) {
        glGenTextures(static_cast<GLsizei>(glNames.size()), glNames.data());
    }
    Array<TextureInfo> made;
    for (std::size_t i = 0; i < templates.size(); ++i) {
        const TextureInfo& source = templates[i];
        bindNewTexture(glNames[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        const GLsizei width = static_cast<GLsizei>(source.width);
        const GLsizei height = static_cast<GLsizei>(source.height);
        if (source.format == BitmapData::FORMAT_RGBA) {
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                         nullptr);
        } else if (source.format == BitmapData::FORMAT_RGB) {
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                         nullptr);
        }
        made.pushBack(
            TextureInfo{glNames[i], source.format, source.width, source.height, source.filterMode});
    }
    createGroup(staticStore_, group);
    if (made.empty()) {
        return false;
    }
    if (!insertGroup(staticStore_, group, names, made)) {
        // Counts differ or the group is taken: the textures would have no owner.
        deleteTextures(static_cast<GLsizei>(glNames.size()), glNames.data());
        return false;
    }
    return true;
}

void TextureManager::processOnRemove(TextureInfo& texture) { deleteTextures(1, &texture.glName); }

uint64_t TextureManager::bindingChanges() { return changes; }

unsigned TextureManager::getNearestMultipleOfTileSize(unsigned value, unsigned tile) {
    // A tile of 0 has no multiples; the value is the only sensible answer.
    if (tile == 0) {
        return value;
    }
    if (value < tile) {
        return tile;
    }
    const unsigned remainder = value % tile;
    const unsigned down = value - remainder;
    return remainder > tile / 2 ? down + tile : down;
}

}  // namespace orvo
