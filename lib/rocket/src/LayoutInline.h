#pragma once

#include <Rocket/Core/Types.h>

#include <vector>

namespace Rocket {
namespace Core {

class ElementText;
class FontFaceHandle;

// The line boxes of one block: text split into words and wrapped at blanks,
// inline elements (one box per line they touch) and atomic inline boxes, all
// aligned on a common baseline and by the block's text-align.
class LayoutInline {
public:
    // cursor is the block's vertical position, moved down by every finished line.
    LayoutInline(Element* block_, const Vector2f& origin_, float width_, float& cursor_);

    void AddText(ElementText* text);
    void OpenInline(Element* element);
    void CloseInline(Element* element);
    // The element is laid out already; it is moved onto its line when the line is done.
    void AddAtomic(Element* element);
    void AddBreak();
    // Finishes the line under way.
    void Close();
    float GetCurrentX() const { return line_x; }

    // Ascent and descent of the element's font; false (and a guess from the font size) without one.
    static bool GetFontMetrics(Element* element, float& ascent, float& descent);

private:
    enum Kind { TEXT, ATOMIC, OPEN, CLOSE };
    struct Fragment {
        Kind kind;
        Element* element;
        String text;
        float width;
        // The inline elements this fragment lies in, outermost first.
        std::vector<Element*> inlines;
        float x;
    };

    void AddWord(ElementText* text, FontFaceHandle& font, const String& word, bool space_before,
                 float space_width);
    void Push(Fragment fragment);
    void FlushSpace();
    void TrimTrailingSpace();
    void FinishLine(bool forced);
    void PlaceInlineBoxes(float baseline);

    Element* block;
    Vector2f origin;
    float width;
    float& cursor;
    std::vector<Fragment> line;
    std::vector<Element*> open;
    float line_x = 0;
    bool has_content = false;
    bool break_after = false;
    bool space_pending = false;
};

}  // namespace Core
}  // namespace Rocket
