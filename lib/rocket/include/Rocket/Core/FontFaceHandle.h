#pragma once

#include <Rocket/Core/Types.h>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace Rocket {
namespace Core {

class FontFace;
class Geometry;
class TextureResource;

// A font face at one pixel size: metrics, glyph cache and the atlas textures
// its glyphs are drawn into on first use.
class FontFaceHandle {
public:
    FontFaceHandle(std::shared_ptr<FontFace> face_, int size_);
    ~FontFaceHandle();
    FontFaceHandle(const FontFaceHandle&) = delete;
    FontFaceHandle& operator=(const FontFaceHandle&) = delete;

    int GetSize() const { return size; }
    // Pixels above and (positive) below the baseline, and the face's line spacing.
    float GetAscent() const { return ascent; }
    float GetDescent() const { return descent; }
    float GetLineHeight() const { return line_height; }

    // Advance width of UTF-8 text, kerning included.
    float GetStringWidth(const String& text);
    // Appends the quads of the text, its baseline starting at origin, to one geometry per atlas
    // page.
    void GenerateString(std::vector<std::unique_ptr<Geometry>>& geometry, const String& text,
                        const Vector2f& origin, const Colourb& colour);

private:
    struct Glyph {
        unsigned int index = 0;
        float advance = 0;
        int left = 0, top = 0, width = 0, height = 0;
        // -1 when the glyph has no pixels or did not fit an atlas.
        int page = -1;
        int x = 0, y = 0;
    };
    struct Page {
        std::shared_ptr<TextureResource> texture;
        int shelf_x = 0, shelf_y = 0, shelf_height = 0;
    };

    const Glyph& GetGlyph(uint32_t character);
    void RenderGlyph(Glyph& glyph);
    bool Place(int width, int height, int& page, int& x, int& y);
    float GetKerning(unsigned int left, unsigned int right);
    void SelectSize();

    std::shared_ptr<FontFace> face;
    int size;
    float ascent = 0, descent = 0, line_height = 0;
    std::unordered_map<uint32_t, Glyph> glyphs;
    std::vector<Page> pages;
};

}  // namespace Core
}  // namespace Rocket
