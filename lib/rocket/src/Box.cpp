#include <Rocket/Core/Box.h>

namespace Rocket {
namespace Core {

Box::Box() : Box(Vector2f()) {}

Box::Box(const Vector2f& content_) : content(content_) {
    for (auto& area : area_edges)
        for (float& edge : area) edge = 0;
}

Vector2f Box::GetPosition(Area area) const {
    Vector2f position(offset.x - area_edges[MARGIN][LEFT], offset.y - area_edges[MARGIN][TOP]);
    for (int i = 0; i < area; ++i) {
        position.x += area_edges[i][LEFT];
        position.y += area_edges[i][TOP];
    }
    return position;
}

Vector2f Box::GetSize(Area area) const {
    Vector2f size = content;
    for (int i = PADDING; i >= area; --i) {
        size.x += area_edges[i][LEFT] + area_edges[i][RIGHT];
        size.y += area_edges[i][TOP] + area_edges[i][BOTTOM];
    }
    return size;
}

void Box::SetEdge(Area area, Edge edge, float size) {
    if (area >= MARGIN && area < NUM_AREAS && edge >= TOP && edge < NUM_EDGES)
        area_edges[area][edge] = size;
}

float Box::GetEdge(Area area, Edge edge) const {
    if (area >= MARGIN && area < NUM_AREAS && edge >= TOP && edge < NUM_EDGES)
        return area_edges[area][edge];
    return 0;
}

float Box::GetCumulativeEdge(Area area, Edge edge) const {
    float size = 0;
    for (int i = PADDING; i >= area && i >= MARGIN; --i) size += area_edges[i][edge];
    return size;
}

bool Box::operator==(const Box& other) const {
    if (content != other.content || offset != other.offset) return false;
    for (int a = 0; a < NUM_AREAS; ++a)
        for (int e = 0; e < NUM_EDGES; ++e)
            if (area_edges[a][e] != other.area_edges[a][e]) return false;
    return true;
}

}  // namespace Core
}  // namespace Rocket
