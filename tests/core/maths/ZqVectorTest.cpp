#include <gtest/gtest.h>

#include "core/maths/ZqVector.h"

namespace orvo {
namespace {

TEST(ZqVectorTest, ConversionsBetweenSizes) {
    const ZqVector<3> v(1.0f, 2.0f, 3.0f);
    ZqVector<4> assigned(9.0f, 9.0f, 9.0f, 9.0f);
    assigned = v;  // a point
    EXPECT_EQ(assigned.w(), 1.0f);
    const ZqVector<4> constructed(v);  // a direction
    EXPECT_EQ(constructed.x, 1.0f);
    EXPECT_EQ(constructed.z, 3.0f);
    EXPECT_EQ(constructed.w(), 0.0f);
    EXPECT_EQ(ZqVector<4>(v, 5.0f).w(), 5.0f);

    ZqVector<3> back;
    back = ZqVector<4>(4.0f, 5.0f, 6.0f, 7.0f);
    EXPECT_EQ(back.x, 4.0f);
    EXPECT_EQ(back.z, 6.0f);
    assigned.w() = 2.0f;
    EXPECT_EQ(assigned.w(), 2.0f);
}

TEST(ZqVectorTest, CrossAndNormalize) {
    const ZqVector<3> z = ZqVector<3>::UNIT_X.cross(ZqVector<3>::UNIT_Y);
    EXPECT_EQ(z.x, 0.0f);
    EXPECT_EQ(z.y, 0.0f);
    EXPECT_EQ(z.z, 1.0f);

    ZqVector<3> v(3.0f, 4.0f, 0.0f);
    EXPECT_EQ(v.normalize(), 5.0f);
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.y, 0.8f);

    ZqVector<3> tiny(0.0f, 0.0f, 1e-7f);
    EXPECT_EQ(tiny.normalize(), 0.0f);
    EXPECT_EQ(tiny.z, 0.0f);
}

}  // namespace
}  // namespace orvo
