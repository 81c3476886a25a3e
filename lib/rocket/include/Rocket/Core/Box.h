#pragma once

#include <Rocket/Core/Types.h>

namespace Rocket {
namespace Core {

// The CSS box of one element: content size and the margin, border and padding edges.
class Box {
public:
    enum Area { MARGIN = 0, BORDER = 1, PADDING = 2, CONTENT = 3, NUM_AREAS = 3 };
    enum Edge { TOP = 0, RIGHT = 1, BOTTOM = 2, LEFT = 3, NUM_EDGES = 4 };

    Box();
    explicit Box(const Vector2f& content);

    // Offset of this box from the element's first box (inline elements have one box per line).
    const Vector2f& GetOffset() const { return offset; }
    void SetOffset(const Vector2f& offset_) { offset = offset_; }
    // Top left of an area relative to the first box's border area.
    Vector2f GetPosition(Area area = CONTENT) const;
    Vector2f GetSize(Area area = CONTENT) const;
    void SetContent(const Vector2f& content_) { content = content_; }
    void SetEdge(Area area, Edge edge, float size);
    float GetEdge(Area area, Edge edge) const;
    // Sum of the edges from the content out to (and with) the area.
    float GetCumulativeEdge(Area area, Edge edge) const;

    bool operator==(const Box& other) const;
    bool operator!=(const Box& other) const { return !(*this == other); }

private:
    Vector2f content;
    float area_edges[NUM_AREAS][NUM_EDGES];
    Vector2f offset;
};

}  // namespace Core
}  // namespace Rocket
