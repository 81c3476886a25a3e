#pragma once

#include <Rocket/Core/Font.h>
#include <Rocket/Core/Types.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>

namespace Rocket {
namespace Core {

// One font file opened with FreeType, under the family, style and weight it is known by.
class FontFace {
public:
    // Null when FreeType cannot read the data.
    static std::shared_ptr<FontFace> Load(const std::shared_ptr<FT_LibraryRec_>& library,
                                          const String& data);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    FT_Face GetFace() const { return face; }
    // Lower case.
    const String& GetFamily() const { return family; }
    Font::Style GetStyle() const { return style; }
    Font::Weight GetWeight() const { return weight; }
    void SetDescription(const String& family_, Font::Style style_, Font::Weight weight_);

private:
    FontFace() = default;

    // Face before library: the face must go first.
    std::shared_ptr<FT_LibraryRec_> library;
    String data;
    FT_Face face = nullptr;
    String family;
    Font::Style style = Font::STYLE_NORMAL;
    Font::Weight weight = Font::WEIGHT_NORMAL;
};

}  // namespace Core
}  // namespace Rocket
