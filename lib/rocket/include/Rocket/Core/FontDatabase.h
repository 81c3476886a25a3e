#pragma once

#include <Rocket/Core/Font.h>
#include <Rocket/Core/Types.h>

#include <memory>

namespace Rocket {
namespace Core {

class FontFaceHandle;

class FontDatabase {
public:
    static bool Initialise();
    // Forgets every loaded face; text already laid out keeps the faces it uses.
    static void Shutdown();

    // Family, style and weight come from the font file.
    static bool LoadFontFace(const String& file_name);
    static bool LoadFontFace(const String& file_name, const String& family, Font::Style style,
                             Font::Weight weight);

    // The face of the family (case ignored) closest to style and weight, at a pixel size; null when
    // none.
    static std::shared_ptr<FontFaceHandle> GetFontFaceHandle(const String& family,
                                                             Font::Style style, Font::Weight weight,
                                                             int size);
};

}  // namespace Core
}  // namespace Rocket
