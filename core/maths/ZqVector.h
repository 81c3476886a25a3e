#pragma once

namespace orvo {

template <int N>
class ZqVector;

// Three single-precision components.
template <>
class ZqVector<3> {
public:
    constexpr ZqVector() : x(0.0f), y(0.0f), z(0.0f) {}
    constexpr ZqVector(float xValue, float yValue, float zValue)
        : x(xValue), y(yValue), z(zValue) {}
    // Drops w.
    explicit ZqVector(const ZqVector<4>& v);
    ZqVector& operator=(const ZqVector<4>& v);

    ZqVector cross(const ZqVector& o) const {
        return ZqVector(y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x);
    }
    // Scales to unit length and returns the old length; a vector no longer than ZERO_TOLERANCE
    // becomes zero and gives 0.
    float normalize();

    static const ZqVector ZERO;
    static const ZqVector UNIT_X;
    static const ZqVector UNIT_Y;
    static const ZqVector UNIT_Z;

    float x;
    float y;
    float z;
};

// Four single-precision components; w is reached through w().
template <>
class ZqVector<4> {
public:
    constexpr ZqVector() : x(0.0f), y(0.0f), z(0.0f), w_(0.0f) {}
    constexpr ZqVector(float xValue, float yValue, float zValue, float wValue)
        : x(xValue), y(yValue), z(zValue), w_(wValue) {}
    // w = 0: a direction.
    explicit constexpr ZqVector(const ZqVector<3>& v) : x(v.x), y(v.y), z(v.z), w_(0.0f) {}
    constexpr ZqVector(const ZqVector<3>& v, float wValue) : x(v.x), y(v.y), z(v.z), w_(wValue) {}
    // Assigning a 3-vector makes a point: w = 1.
    ZqVector& operator=(const ZqVector<3>& v) {
        x = v.x;
        y = v.y;
        z = v.z;
        w_ = 1.0f;
        return *this;
    }

    float w() const { return w_; }
    float& w() { return w_; }

    static const ZqVector ZERO;
    static const ZqVector UNIT_X;
    static const ZqVector UNIT_Y;
    static const ZqVector UNIT_Z;
    static const ZqVector UNIT_W;

    float x;
    float y;
    float z;

private:
    float w_;
};

inline ZqVector<3>::ZqVector(const ZqVector<4>& v) : x(v.x), y(v.y), z(v.z) {}

inline ZqVector<3>& ZqVector<3>::operator=(const ZqVector<4>& v) {
    x = v.x;
    y = v.y;
    z = v.z;
    return *this;
}

inline constexpr ZqVector<3> ZqVector<3>::ZERO(0.0f, 0.0f, 0.0f);
inline constexpr ZqVector<3> ZqVector<3>::UNIT_X(1.0f, 0.0f, 0.0f);
inline constexpr ZqVector<3> ZqVector<3>::UNIT_Y(0.0f, 1.0f, 0.0f);
inline constexpr ZqVector<3> ZqVector<3>::UNIT_Z(0.0f, 0.0f, 1.0f);

inline constexpr ZqVector<4> ZqVector<4>::ZERO(0.0f, 0.0f, 0.0f, 0.0f);
inline constexpr ZqVector<4> ZqVector<4>::UNIT_X(1.0f, 0.0f, 0.0f, 0.0f);
inline constexpr ZqVector<4> ZqVector<4>::UNIT_Y(0.0f, 1.0f, 0.0f, 0.0f);
inline constexpr ZqVector<4> ZqVector<4>::UNIT_Z(0.0f, 0.0f, 1.0f, 0.0f);
inline constexpr ZqVector<4> ZqVector<4>::UNIT_W(0.0f, 0.0f, 0.0f, 1.0f);

static_assert(sizeof(ZqVector<3>) == 12 && sizeof(ZqVector<4>) == 16, "vectors are packed floats");

}  // namespace orvo
