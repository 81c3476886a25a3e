#include <Rocket/Core/ElementText.h>

#include "ComputedValues.h"
#include "DocumentParser.h"

#include <Rocket/Core/FontDatabase.h>
#include <Rocket/Core/FontFaceHandle.h>
#include <Rocket/Core/RenderInterface.h>

#include <cmath>

namespace Rocket {
namespace Core {

ElementText::ElementText(const String& tag_) : Element(tag_) {}

ElementText::~ElementText() = default;

void ElementText::SetText(const String& text_) {
    if (text == text_) return;
    text = text_;
    DirtyLayout();
}

std::shared_ptr<FontFaceHandle> ElementText::GetFontFaceHandle() {
    const ComputedValues& values = GetComputedValues();
    font =
        FontDatabase::GetFontFaceHandle(values.font_family, values.font_style, values.font_weight,
                                        static_cast<int>(std::lround(values.font_size)));
    return font;
}

void ElementText::GetInnerRML(String& content) const {
    DocumentParser::AppendEscaped(content, text, false);
}

void ElementText::ClearLines() {
    lines.clear();
    text_geometry_dirty = true;
}

void ElementText::AddLine(const Vector2f& position, const String& line_text) {
    lines.push_back(Line{line_text, position});
    text_geometry_dirty = true;
}

void ElementText::OnRender(RenderInterface* render_interface) {
    if (text_geometry_dirty) {
        text_geometry_dirty = false;
        for (auto& page : geometry) page->Release(true);
        if (font) {
            Vector2f texel(render_interface->GetHorizontalTexelOffset(),
                           render_interface->GetVerticalTexelOffset());
            Colourb colour = GetComputedValues().colour;
            for (const Line& line : lines)
                font->GenerateString(geometry, line.text, line.position + texel, colour);
        }
    }
    Vector2f origin = GetAbsoluteOffset(Box::BORDER);
    for (auto& page : geometry) page->Render(render_interface, origin);
}

}  // namespace Core
}  // namespace Rocket
