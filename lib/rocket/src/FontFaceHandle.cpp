#include <Rocket/Core/FontFaceHandle.h>

#include "FontFace.h"
#include "TextureResource.h"
#include "Utf8.h"

#include <Rocket/Core/Geometry.h>

#include <cmath>
#include <cstdlib>

namespace Rocket {
namespace Core {

namespace {

const int page_size = 512;

}

FontFaceHandle::FontFaceHandle(std::shared_ptr<FontFace> face_, int size_)
    : face(std::move(face_)), size(size_) {
    SelectSize();
    const FT_Size_Metrics& metrics = face->GetFace()->size->metrics;
    ascent = static_cast<float>(metrics.ascender) / 64.0f;
    descent = -static_cast<float>(metrics.descender) / 64.0f;
    line_height = static_cast<float>(metrics.height) / 64.0f;
}

FontFaceHandle::~FontFaceHandle() = default;

void FontFaceHandle::SelectSize() {
    // Handles of several sizes share one FreeType face.
    FT_Set_Pixel_Sizes(face->GetFace(), 0, static_cast<FT_UInt>(size));
}

const FontFaceHandle::Glyph& FontFaceHandle::GetGlyph(uint32_t character) {
    auto found = glyphs.find(character);
    if (found != glyphs.end()) return found->second;
    Glyph& glyph = glyphs[character];
    FT_Face ft_face = face->GetFace();
    SelectSize();
    glyph.index = FT_Get_Char_Index(ft_face, character);
    if (FT_Load_Glyph(ft_face, glyph.index, FT_LOAD_DEFAULT) != 0) return glyph;
    glyph.advance = static_cast<float>(ft_face->glyph->advance.x) / 64.0f;
    RenderGlyph(glyph);
    return glyph;
}

void FontFaceHandle::RenderGlyph(Glyph& glyph) {
    FT_GlyphSlot slot = face->GetFace()->glyph;
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    if (glyph.width == 0 || glyph.height == 0 || bitmap.buffer == nullptr) return;
    if (!Place(glyph.width, glyph.height, glyph.page, glyph.x, glyph.y)) return;
    Page& page = pages[static_cast<size_t>(glyph.page)];
    std::vector<byte>& pixels = page.texture->GetPixels();
    int pitch = std::abs(bitmap.pitch);
    for (int row = 0; row < glyph.height; ++row) {
        // A negative pitch stores the rows bottom up.
        const unsigned char* source =
            bitmap.buffer + (bitmap.pitch >= 0 ? row : glyph.height - 1 - row) * pitch;
        for (int column = 0; column < glyph.width; ++column) {
            byte coverage = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                ? ((source[column / 8] >> (7 - column % 8)) & 1 ? 255 : 0)
                                : source[column];
            size_t offset = (static_cast<size_t>(glyph.y + row) * page_size +
                             static_cast<size_t>(glyph.x + column)) *
                            4;
            pixels[offset] = 255;
            pixels[offset + 1] = 255;
            pixels[offset + 2] = 255;
            pixels[offset + 3] = coverage;
        }
    }
    page.texture->Invalidate();
}

bool FontFaceHandle::Place(int width, int height, int& page_index, int& x, int& y) {
    // Shelves of glyphs, one pixel apart so that sampling never bleeds.
    const int padded_width = width + 1, padded_height = height + 1;
    if (padded_width > page_size || padded_height > page_size) return false;
    if (!pages.empty()) {
        Page& page = pages.back();
        if (page.shelf_x + padded_width > page_size) {
            page.shelf_y += page.shelf_height;
            page.shelf_x = 0;
            page.shelf_height = 0;
        }
        if (page.shelf_y + padded_height <= page_size) {
            x = page.shelf_x;
            y = page.shelf_y;
            page.shelf_x += padded_width;
            if (padded_height > page.shelf_height) page.shelf_height = padded_height;
            page_index = static_cast<int>(pages.size()) - 1;
            return true;
        }
    }
    Page page;
    page.texture = std::make_shared<TextureResource>(Vector2i(page_size, page_size));
    page.shelf_x = padded_width;
    page.shelf_height = padded_height;
    pages.push_back(page);
    x = 0;
    y = 0;
    page_index = static_cast<int>(pages.size()) - 1;
    return true;
}

float FontFaceHandle::GetKerning(unsigned int left, unsigned int right) {
    FT_Face ft_face = face->GetFace();
    if (left == 0 || right == 0 || !FT_HAS_KERNING(ft_face)) return 0;
    SelectSize();
    FT_Vector delta;
    if (FT_Get_Kerning(ft_face, left, right, FT_KERNING_DEFAULT, &delta) != 0) return 0;
    return static_cast<float>(delta.x) / 64.0f;
}

float FontFaceHandle::GetStringWidth(const String& text) {
    float width = 0;
    unsigned int previous = 0;
    for (size_t pos = 0; pos < text.size();) {
        const Glyph& glyph = GetGlyph(Utf8::Next(text, pos));
        width += GetKerning(previous, glyph.index) + glyph.advance;
        previous = glyph.index;
    }
    return width;
}

void FontFaceHandle::GenerateString(std::vector<std::unique_ptr<Geometry>>& geometry,
                                    const String& text, const Vector2f& origin,
                                    const Colourb& colour) {
    float pen = 0;
    unsigned int previous = 0;
    for (size_t pos = 0; pos < text.size();) {
        const Glyph& glyph = GetGlyph(Utf8::Next(text, pos));
        pen += GetKerning(previous, glyph.index);
        previous = glyph.index;
        if (glyph.page >= 0) {
            while (geometry.size() < pages.size()) geometry.push_back(std::make_unique<Geometry>());
            Geometry& target = *geometry[static_cast<size_t>(glyph.page)];
            target.SetTexture(pages[static_cast<size_t>(glyph.page)].texture);
            // Whole pixels keep glyphs crisp.
            Vector2f position(std::floor(origin.x + pen + 0.5f) + static_cast<float>(glyph.left),
                              std::floor(origin.y + 0.5f) - static_cast<float>(glyph.top));
            const float scale = 1.0f / page_size;
            target.AddQuad(
                position,
                Vector2f(static_cast<float>(glyph.width), static_cast<float>(glyph.height)), colour,
                Vector2f(static_cast<float>(glyph.x) * scale, static_cast<float>(glyph.y) * scale),
                Vector2f(static_cast<float>(glyph.x + glyph.width) * scale,
                         static_cast<float>(glyph.y + glyph.height) * scale));
        }
        pen += glyph.advance;
    }
}

}  // namespace Core
}  // namespace Rocket
