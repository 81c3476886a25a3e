#pragma once

namespace Rocket {
namespace Core {

template <typename Type>
class Vector2 {
public:
    Vector2() : x(0), y(0) {}
    Vector2(Type x_, Type y_) : x(x_), y(y_) {}

    Vector2 operator+(const Vector2& other) const { return Vector2(x + other.x, y + other.y); }
    Vector2 operator-(const Vector2& other) const { return Vector2(x - other.x, y - other.y); }
    Vector2 operator-() const { return Vector2(-x, -y); }
    Vector2 operator*(Type scale) const { return Vector2(x * scale, y * scale); }
    Vector2 operator/(Type scale) const { return Vector2(x / scale, y / scale); }
    Vector2& operator+=(const Vector2& other) {
        x += other.x;
        y += other.y;
        return *this;
    }
    Vector2& operator-=(const Vector2& other) {
        x -= other.x;
        y -= other.y;
        return *this;
    }
    bool operator==(const Vector2& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Vector2& other) const { return !(*this == other); }

    Type x;
    Type y;
};

}  // namespace Core
}  // namespace Rocket
