#pragma once

#include "core/maths/ZqMaths.h"
#include "core/maths/ZqVector.h"

namespace orvo {

// Determinant of an N x N row-major block by cofactor expansion along the first row.
template <int N>
float zqDeterminant(const float* a);

// The minor of an N x N row-major block: the determinant without row r and column c.
template <int N>
float zqMinor(const float* a, int r, int c) {
    float sub[(N - 1) * (N - 1)];
    int out = 0;
    for (int i = 0; i < N; ++i) {
        for (int j = 0; j < N; ++j) {
            if (i != r && j != c) {
                sub[out++] = a[i * N + j];
            }
        }
    }
    return zqDeterminant<N - 1>(sub);
}

template <int N>
float zqDeterminant(const float* a) {
    if constexpr (N == 2) {
        return a[0] * a[3] - a[1] * a[2];
    } else {
        float determinant = 0.0f;
        for (int j = 0; j < N; ++j) {
            const float term = a[j] * zqMinor<N>(a, 0, j);
            determinant = (j % 2 == 0) ? determinant + term : determinant - term;
        }
        return determinant;
    }
}

// What the 3x3 and 4x4 matrices share: N rows of N floats, row-major, so element (i, j) is at
// index i x N + j. Vectors are columns multiplied from the right.
template <int N>
class ZqSquareMatrix {
public:
    float& operator()(int row, int column) { return m_[row * N + column]; }
    float operator()(int row, int column) const { return m_[row * N + column]; }
    float& operator[](int index) { return m_[index]; }
    float operator[](int index) const { return m_[index]; }
    const float* data() const { return m_; }

    // In place: the adjugate over the determinant, or all zeros when the determinant is not
    // above ZERO_TOLERANCE in magnitude (NaN included).
    void invert() {
        const float determinant = zqDeterminant<N>(m_);
        float result[N * N] = {};
        if (ZqMaths::abs(determinant) > ZqMaths::ZERO_TOLERANCE) {
            for (int i = 0; i < N; ++i) {
                for (int j = 0; j < N; ++j) {
                    const float minor = zqMinor<N>(m_, j, i);
                    result[i * N + j] = ((i + j) % 2 == 0 ? minor : -minor) / determinant;
                }
            }
        }
        for (int i = 0; i < N * N; ++i) {
            m_[i] = result[i];
        }
    }

    // The angles (x, y, z) of the rotation Rx(x) Ry(y) Rz(z) in the upper-left 3x3. False at
    // the poles (|m(0,2)| >= 1), where z is set to 0.
    bool getEulerAngles(float& x, float& y, float& z) const {
        const ZqSquareMatrix& m = *this;
        if (m(0, 2) >= 1.0f) {
            x = ZqMaths::aTan2(m(1, 0), m(1, 1));
            y = ZqMaths::HALF_PI;
            z = 0.0f;
            return false;
        }
        if (m(0, 2) <= -1.0f) {
            x = -ZqMaths::aTan2(m(1, 0), m(1, 1));
            y = -ZqMaths::HALF_PI;
            z = 0.0f;
            return false;
        }
        x = ZqMaths::aTan2(-m(1, 2), m(2, 2));
        y = ZqMaths::aSin(m(0, 2));
        z = ZqMaths::aTan2(-m(0, 1), m(0, 0));
        return true;
    }

protected:
    struct Elements {};

    // Diagonal matrix (0: zero, 1: identity).
    explicit constexpr ZqSquareMatrix(float diagonal) : m_{} {
        for (int i = 0; i < N; ++i) {
            m_[i * N + i] = diagonal;
        }
    }
    template <class... F>
    constexpr ZqSquareMatrix(Elements, F... values) : m_{values...} {
        static_assert(sizeof...(F) == N * N, "one value per element");
    }

    float m_[N * N];
};

template <int R, int K>
class ZqMatrix;

template <>
class ZqMatrix<3, 3> : public ZqSquareMatrix<3> {
public:
    constexpr ZqMatrix() : ZqSquareMatrix<3>(1.0f) {}
    constexpr ZqMatrix(float m0, float m1, float m2, float m3, float m4, float m5, float m6,
                       float m7, float m8)
        : ZqSquareMatrix<3>(Elements(), m0, m1, m2, m3, m4, m5, m6, m7, m8) {}
    // The upper-left of a 4x4.
    explicit ZqMatrix(const ZqMatrix<4, 4>& m);
    ZqMatrix& operator=(const ZqMatrix<4, 4>& m);
    // Rotation Rx(a) x Ry(b) x Rz(c).
    ZqMatrix(float a, float b, float c);
    // Rotation by angle about axis; the axis is used as given, not normalised.
    ZqMatrix(const ZqVector<3>& axis, float angle);

    // Gram-Schmidt on the columns. A zero column is not guarded against.
    void orthonormalize();

    static const ZqMatrix ZERO;
    static const ZqMatrix IDENTITY;

private:
    explicit constexpr ZqMatrix(float diagonal) : ZqSquareMatrix<3>(diagonal) {}
};

template <>
class ZqMatrix<4, 4> : public ZqSquareMatrix<4> {
public:
    constexpr ZqMatrix() : ZqSquareMatrix<4>(1.0f) {}
    constexpr ZqMatrix(float m0, float m1, float m2, float m3, float m4, float m5, float m6,
                       float m7, float m8, float m9, float m10, float m11, float m12, float m13,
                       float m14, float m15)
        : ZqSquareMatrix<4>(Elements(), m0, m1, m2, m3, m4, m5, m6, m7, m8, m9, m10, m11, m12, m13,
                            m14, m15) {}
    // Upper-left from the 3x3, the rest from the identity.
    explicit ZqMatrix(const ZqMatrix<3, 3>& rotation);
    ZqMatrix& operator=(const ZqMatrix<3, 3>& rotation);
    // Translation in elements 3, 7 and 11.
    ZqMatrix(const ZqMatrix<3, 3>& rotation, const ZqVector<3>& translation);
    // rotation x diag(scale, 1), then the translation.
    ZqMatrix(const ZqMatrix<3, 3>& rotation, const ZqVector<3>& translation,
             const ZqVector<3>& scale);
    ZqMatrix(float a, float b, float c);
    // w of the axis is ignored.
    ZqMatrix(const ZqVector<4>& axis, float angle);

    void decomposeTransformation(ZqMatrix<3, 3>& rotation, ZqVector<3>& translation) const;

    static const ZqMatrix ZERO;
    static const ZqMatrix IDENTITY;

private:
    explicit constexpr ZqMatrix(float diagonal) : ZqSquareMatrix<4>(diagonal) {}
};

inline constexpr ZqMatrix<3, 3> ZqMatrix<3, 3>::ZERO(0.0f);
inline constexpr ZqMatrix<3, 3> ZqMatrix<3, 3>::IDENTITY(1.0f);
inline constexpr ZqMatrix<4, 4> ZqMatrix<4, 4>::ZERO(0.0f);
inline constexpr ZqMatrix<4, 4> ZqMatrix<4, 4>::IDENTITY(1.0f);

// P(i, j) = sum over k of A(i, k) x B(k, j).
template <int N>
ZqMatrix<N, N> operator*(const ZqMatrix<N, N>& a, const ZqMatrix<N, N>& b) {
    ZqMatrix<N, N> product;
    for (int i = 0; i < N; ++i) {
        for (int j = 0; j < N; ++j) {
            float sum = a(i, 0) * b(0, j);
            for (int k = 1; k < N; ++k) {
                sum += a(i, k) * b(k, j);
            }
            product(i, j) = sum;
        }
    }
    return product;
}

static_assert(sizeof(ZqMatrix<3, 3>) == 36 && sizeof(ZqMatrix<4, 4>) == 64,
              "matrices are packed floats");

}  // namespace orvo
