#include "core/maths/ZqMatrix.h"

namespace orvo {

ZqMatrix<3, 3>::ZqMatrix(const ZqMatrix<4, 4>& m)
    : ZqMatrix(m(0, 0), m(0, 1), m(0, 2), m(1, 0), m(1, 1), m(1, 2), m(2, 0), m(2, 1), m(2, 2)) {}

ZqMatrix<3, 3>& ZqMatrix<3, 3>::operator=(const ZqMatrix<4, 4>& m) {
    *this = ZqMatrix(m);
    return *this;
}

ZqMatrix<3, 3>::ZqMatrix(float a, float b, float c) : ZqSquareMatrix<3>(1.0f) {
    const float ca = ZqMaths::cos(a), sa = ZqMaths::sin(a);
    const float cb = ZqMaths::cos(b), sb = ZqMaths::sin(b);
    const float cc = ZqMaths::cos(c), sc = ZqMaths::sin(c);
    const ZqMatrix rx(1.0f, 0.0f, 0.0f, 0.0f, ca, -sa, 0.0f, sa, ca);
    const ZqMatrix ry(cb, 0.0f, sb, 0.0f, 1.0f, 0.0f, -sb, 0.0f, cb);
    const ZqMatrix rz(cc, -sc, 0.0f, sc, cc, 0.0f, 0.0f, 0.0f, 1.0f);
    *this = rx * ry * rz;
}

ZqMatrix<3, 3>::ZqMatrix(const ZqVector<3>& axis, float angle) : ZqSquareMatrix<3>(1.0f) {
    const float c = ZqMaths::cos(angle);
    const float s = ZqMaths::sin(angle);
    const float t = 1.0f - c;
    const float x = axis.x, y = axis.y, z = axis.z;
    *this = ZqMatrix(c + x * x * t, x * y * t - z * s, x * z * t + y * s,  //
                     x * y * t + z * s, c + y * y * t, y * z * t - x * s,  //
                     x * z * t - y * s, y * z * t + x * s, c + z * z * t);
}

void ZqMatrix<3, 3>::orthonormalize() {
    ZqMatrix& m = *this;
    // Column j as a vector.
    auto column = [&m](int j) { return ZqVector<3>(m(0, j), m(1, j), m(2, j)); };
    auto dot = [](const ZqVector<3>& a, const ZqVector<3>& b) {
        return a.x * b.x + a.y * b.y + a.z * b.z;
    };
    auto store = [&m](int j, const ZqVector<3>& v) {
        const float scale = ZqMaths::inverseSqrt(v.x * v.x + v.y * v.y + v.z * v.z);
        m(0, j) = v.x * scale;
        m(1, j) = v.y * scale;
        m(2, j) = v.z * scale;
    };

    store(0, column(0));
    const ZqVector<3> c0 = column(0);
    ZqVector<3> c1 = column(1);
    const float d01 = dot(c0, c1);
    c1 = ZqVector<3>(c1.x - d01 * c0.x, c1.y - d01 * c0.y, c1.z - d01 * c0.z);
    store(1, c1);
    const ZqVector<3> n1 = column(1);
    ZqVector<3> c2 = column(2);
    const float d02 = dot(c0, c2);
    const float d12 = dot(n1, c2);
    c2 = ZqVector<3>(c2.x - d02 * c0.x - d12 * n1.x, c2.y - d02 * c0.y - d12 * n1.y,
                     c2.z - d02 * c0.z - d12 * n1.z);
    store(2, c2);
}

ZqMatrix<4, 4>::ZqMatrix(const ZqMatrix<3, 3>& r)
    : ZqMatrix(r(0, 0), r(0, 1), r(0, 2), 0.0f, r(1, 0), r(1, 1), r(1, 2), 0.0f, r(2, 0), r(2, 1),
               r(2, 2), 0.0f, 0.0f, 0.0f, 0.0f, 1.0f) {}

ZqMatrix<4, 4>& ZqMatrix<4, 4>::operator=(const ZqMatrix<3, 3>& rotation) {
    *this = ZqMatrix(rotation);
    return *this;
}

ZqMatrix<4, 4>::ZqMatrix(const ZqMatrix<3, 3>& rotation, const ZqVector<3>& translation)
    : ZqMatrix(rotation) {
    m_[3] = translation.x;
    m_[7] = translation.y;
    m_[11] = translation.z;
}

ZqMatrix<4, 4>::ZqMatrix(const ZqMatrix<3, 3>& rotation, const ZqVector<3>& translation,
                         const ZqVector<3>& scale)
    : ZqMatrix(rotation, translation) {
    const float s[3] = {scale.x, scale.y, scale.z};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            (*this)(i, j) = rotation(i, j) * s[j];
        }
    }
}

ZqMatrix<4, 4>::ZqMatrix(float a, float b, float c) : ZqMatrix(ZqMatrix<3, 3>(a, b, c)) {}

ZqMatrix<4, 4>::ZqMatrix(const ZqVector<4>& axis, float angle)
    : ZqMatrix(ZqMatrix<3, 3>(ZqVector<3>(axis), angle)) {}

void ZqMatrix<4, 4>::decomposeTransformation(ZqMatrix<3, 3>& rotation,
                                             ZqVector<3>& translation) const {
    translation = ZqVector<3>(m_[3], m_[7], m_[11]);
    rotation = ZqMatrix<3, 3>(*this);
}

}  // namespace orvo
