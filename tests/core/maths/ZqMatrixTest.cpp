#include <gtest/gtest.h>

#include "core/maths/ZqMatrix.h"

namespace orvo {
namespace {

template <int N>
void expectNear(const ZqMatrix<N, N>& actual, const ZqMatrix<N, N>& expected, float tolerance) {
    for (int i = 0; i < N * N; ++i) {
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
    }
}

TEST(ZqMatrixTest, RowMajorWithTranslationInTheLastColumn) {
    const ZqMatrix<4, 4> m(ZqMatrix<3, 3>::IDENTITY, ZqVector<3>(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(m[3], 1.0f);
    EXPECT_EQ(m[7], 2.0f);
    EXPECT_EQ(m[11], 3.0f);
    EXPECT_EQ(m(1, 3), 2.0f);
    EXPECT_EQ(m[15], 1.0f);

    const ZqMatrix<3, 3> a(1, 2, 3, 4, 5, 6, 7, 8, 9);
    EXPECT_EQ(a(1, 2), 6.0f);
    EXPECT_EQ(a[5], 6.0f);

    // Translations compose by adding; column vectors are multiplied from the right.
    const ZqMatrix<4, 4> n(ZqMatrix<3, 3>::IDENTITY, ZqVector<3>(10.0f, 20.0f, 30.0f));
    const ZqMatrix<4, 4> p = m * n;
    EXPECT_EQ(p[3], 11.0f);
    EXPECT_EQ(p[7], 22.0f);
    EXPECT_EQ(p[11], 33.0f);

    const ZqMatrix<3, 3> b(9, 8, 7, 6, 5, 4, 3, 2, 1);
    expectNear(a * b, ZqMatrix<3, 3>(30, 24, 18, 84, 69, 54, 138, 114, 90), 0.0f);

    ZqMatrix<3, 3> rotation;
    ZqVector<3> translation;
    p.decomposeTransformation(rotation, translation);
    expectNear(rotation, ZqMatrix<3, 3>::IDENTITY, 0.0f);
    EXPECT_EQ(translation.y, 22.0f);
}

TEST(ZqMatrixTest, ScaleScalesTheColumnsOfTheRotation) {
    const ZqMatrix<3, 3> r(1, 2, 3, 4, 5, 6, 7, 8, 9);
    const ZqMatrix<4, 4> m(r, ZqVector<3>(7, 8, 9), ZqVector<3>(2, 3, 4));
    expectNear(m, ZqMatrix<4, 4>(2, 6, 12, 7, 8, 15, 24, 8, 14, 24, 36, 9, 0, 0, 0, 1), 0.0f);
}

TEST(ZqMatrixTest, Invert) {
    ZqMatrix<3, 3> diagonal(2, 0, 0, 0, 4, 0, 0, 0, 8);
    diagonal.invert();
    expectNear(diagonal, ZqMatrix<3, 3>(0.5f, 0, 0, 0, 0.25f, 0, 0, 0, 0.125f), 0.0f);

    const ZqMatrix<4, 4> transform(ZqMatrix<3, 3>(0.1f, 0.2f, 0.3f), ZqVector<3>(1, -2, 3),
                                   ZqVector<3>(2, 2, 2));
    ZqMatrix<4, 4> inverse(transform);
    inverse.invert();
    expectNear(inverse * transform, ZqMatrix<4, 4>::IDENTITY, 1e-6f);

    // Determinant 1e-7: treated as singular.
    ZqMatrix<3, 3> nearlySingular(1e-7f, 0, 0, 0, 1, 0, 0, 0, 1);
    nearlySingular.invert();
    expectNear(nearlySingular, ZqMatrix<3, 3>::ZERO, 0.0f);

    ZqMatrix<4, 4> notANumber(ZqMatrix<4, 4>::IDENTITY);
    notANumber[5] = NAN;
    notANumber.invert();
    expectNear(notANumber, ZqMatrix<4, 4>::ZERO, 0.0f);
}

TEST(ZqMatrixTest, EulerAnglesInvertTheAngleRotation) {
    float x = 0, y = 0, z = 0;
    const ZqMatrix<3, 3> rotation(0.1f, 0.2f, 0.3f);
    EXPECT_TRUE(rotation.getEulerAngles(x, y, z));
    EXPECT_NEAR(x, 0.1f, 1e-6f);
    EXPECT_NEAR(y, 0.2f, 1e-6f);
    EXPECT_NEAR(z, 0.3f, 1e-6f);

    z = 5.0f;
    const ZqMatrix<4, 4> pole(0.1f, ZqMaths::HALF_PI, 0.3f);
    EXPECT_FALSE(pole.getEulerAngles(x, y, z));
    EXPECT_EQ(y, ZqMaths::HALF_PI);
    EXPECT_EQ(z, 0.0f);
}

TEST(ZqMatrixTest, AxisAngleMatchesTheAngleRotation) {
    expectNear(ZqMatrix<3, 3>(ZqVector<3>::UNIT_Z, 0.7f), ZqMatrix<3, 3>(0.0f, 0.0f, 0.7f), 1e-6f);
    const ZqMatrix<4, 4> m(ZqVector<4>(1, 0, 0, 42), 0.4f);
    expectNear(m, ZqMatrix<4, 4>(0.4f, 0.0f, 0.0f), 1e-6f);
}

TEST(ZqMatrixTest, OrthonormalizeGivesOrthonormalColumns) {
    ZqMatrix<3, 3> m(2, 1, 0, 0, 2, 1, 1, 0, 2);
    m.orthonormalize();
    for (int a = 0; a < 3; ++a) {
        for (int b = 0; b < 3; ++b) {
            const float dot = m(0, a) * m(0, b) + m(1, a) * m(1, b) + m(2, a) * m(2, b);
            EXPECT_NEAR(dot, a == b ? 1.0f : 0.0f, 1e-6f) << a << b;
        }
    }
}

TEST(ZqMatrixTest, DefaultsAndConversions) {
    expectNear(ZqMatrix<4, 4>(), ZqMatrix<4, 4>::IDENTITY, 0.0f);
    const ZqMatrix<3, 3> r(1, 2, 3, 4, 5, 6, 7, 8, 9);
    ZqMatrix<4, 4> m(ZqMatrix<4, 4>::ZERO);
    m = r;
    expectNear(m, ZqMatrix<4, 4>(1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 0, 0, 0, 1), 0.0f);
    ZqMatrix<3, 3> back;
    back = m;
    expectNear(back, r, 0.0f);
}

}  // namespace
}  // namespace orvo
