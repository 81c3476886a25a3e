#pragma once

#include <Rocket/Core/Box.h>

#include <map>
#include <vector>

namespace Rocket {
namespace Core {

class LayoutInline;

// Lays out one document: block flow, inline lines (LayoutInline), the box
// model, relative, absolute and fixed positioning, em and % units. Positions
// are worked out in context pixels and stored relative to each parent at the end.
class LayoutEngine {
public:
    void FormatDocument(ElementDocument* document, const Vector2f& containing_block);
    // Tags with a layout of their own. "br" ends the line (handled: true); a
    // "layer" gets the z-index 10000000 so that it stacks above everything else
    // (false: it is laid out as usual).
    bool FormatElementSpecial(Element* element);

    // Moves an element laid out at a provisional place, with everything inside it.
    static void Translate(Element* element, const Vector2f& delta);

private:
    struct Flow {
        Vector2f content_origin;
        float width;
        // -1 when the height depends on the content.
        float height;
        float cursor;
        LayoutInline* line;
    };
    struct Pending {
        Element* element;
        Vector2f static_position;
    };

    // Lays out an element with the top left of its margin box at margin_origin; a forced
    // size of -1 means none. Returns the height of the margin box.
    float FormatBlock(Element* element, const Vector2f& margin_origin, float containing_width,
                      float containing_height, float forced_width, float forced_height);
    void FormatChild(Element* child, Flow& flow);
    void FormatAtomic(Element* child, Flow& flow);
    void FormatAbsolutes(Element* containing_block);
    void FormatAbsolute(Element* element, const Vector2f& static_position, const Vector2f& origin,
                        const Vector2f& size);
    Element* FindContainingBlock(Element* element);

    static void BuildEdges(Element* element, float containing_width, Box& box);
    static float HorizontalEdges(const Box& box);
    static float VerticalEdges(const Box& box);
    static float ClampWidth(Element* element, float width, float containing_width);
    static float ClampHeight(Element* element, float height, float containing_height);
    static float MaxContentWidth(Element* element);
    static float OuterMaxContentWidth(Element* element);
    static void SetRelativeShift(Element* element, float containing_width, float containing_height);
    static void ClearLayout(Element* element);
    static void Finish(Element* element, const Vector2f& layout_position,
                       const Vector2f& actual_position);

    Vector2f viewport;
    LayoutInline* current_line = nullptr;
    // Out-of-flow elements by containing block (null: the viewport), laid out when it is done.
    std::map<Element*, std::vector<Pending>> absolutes;
};

}  // namespace Core
}  // namespace Rocket
