#pragma once

#include <Rocket/Core/Element.h>

namespace Rocket {
namespace Core {

class FontFaceHandle;

// A run of text (tag "#text"): laid out as one or more lines by its block.
class ElementText : public Element {
public:
    struct Line {
        String text;
        // Left end of the baseline, relative to the element's first box.
        Vector2f position;
    };

    explicit ElementText(const String& tag);
    ~ElementText() override;

    void SetText(const String& text_);
    const String& GetText() const { return text; }
    const std::vector<Line>& GetLines() const { return lines; }
    // The face the text is drawn with; null when no loaded font matches.
    std::shared_ptr<FontFaceHandle> GetFontFaceHandle();

    void GetInnerRML(String& content) const override;

protected:
    void OnRender(RenderInterface* render_interface) override;

private:
    friend class LayoutEngine;
    friend class LayoutInline;

    void ClearLines();
    void AddLine(const Vector2f& position, const String& line_text);

    String text;
    std::vector<Line> lines;
    std::shared_ptr<FontFaceHandle> font;
    std::vector<std::unique_ptr<Geometry>> geometry;
    bool text_geometry_dirty = true;
};

}  // namespace Core
}  // namespace Rocket
