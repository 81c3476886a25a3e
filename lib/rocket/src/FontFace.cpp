#include "FontFace.h"

namespace Rocket {
namespace Core {

std::shared_ptr<FontFace> FontFace::Load(const std::shared_ptr<FT_LibraryRec_>& library,
                                         const String& data) {
    std::shared_ptr<FontFace> font(new FontFace());
    font->library = library;
    // FreeType reads from the buffer for as long as the face lives.
    font->data = data;
    if (data.empty() ||
        FT_New_Memory_Face(library.get(), reinterpret_cast<const FT_Byte*>(font->data.data()),
                           static_cast<FT_Long>(font->data.size()), 0, &font->face) != 0) {
        font->face = nullptr;
        return nullptr;
    }
    if (FT_Select_Charmap(font->face, FT_ENCODING_UNICODE) != 0 || !FT_IS_SCALABLE(font->face))
        return nullptr;
    font->SetDescription(
        font->face->family_name != nullptr ? String(font->face->family_name) : String(),
        (font->face->style_flags & FT_STYLE_FLAG_ITALIC) ? Font::STYLE_ITALIC : Font::STYLE_NORMAL,
        (font->face->style_flags & FT_STYLE_FLAG_BOLD) ? Font::WEIGHT_BOLD : Font::WEIGHT_NORMAL);
    return font;
}

FontFace::~FontFace() {
    if (face != nullptr) FT_Done_Face(face);
}

void FontFace::SetDescription(const String& family_, Font::Style style_, Font::Weight weight_) {
    family = family_.ToLower();
    style = style_;
    weight = weight_;
}

}  // namespace Core
}  // namespace Rocket
