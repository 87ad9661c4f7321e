// Properties of the stand-in's value types: Matrix3 inverse, Box3 transform,
// Interval intersection and the Tab table's storage rules.
#include <gtest/gtest.h>
#include <cmath>
#include <ostream>
#include <string>
#include "box3.h"
#include "interval.h"
#include "matrix3.h"
#include "tab.h"

namespace {

// Float products of a few matrices: a few ulps of the largest entry.
const float MATRIX_TOLERANCE = 1e-5f;

struct TransformCase {
    std::string name;
    float angleX, angleZ;
    Point3 scale, translation;
    Matrix3 matrix() const {
        Matrix3 m = RotateXMatrix(angleX);
        m.RotateZ(angleZ);
        m.Scale(scale);
        m.Translate(translation);
        return m;
    }
};
void PrintTo(const TransformCase& c, std::ostream* os) { *os << c.name; }

class SdkValuesInverse : public testing::TestWithParam<TransformCase> {};

TEST_P(SdkValuesInverse, UndoesRotationScaleAndTranslation) {
    Matrix3 m = GetParam().matrix();
    Matrix3 product = m * Inverse(m);
    Matrix3 identity;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(product[r][c], identity[r][c], MATRIX_TOLERANCE) << r << "," << c;
    for (const Point3& p : {Point3(0, 0, 0), Point3(1, -2, 3), Point3(-40.0f, 7.0f, 0.5f)}) {
        Point3 back = (p * m) * Inverse(m);
        EXPECT_NEAR(back.x, p.x, MATRIX_TOLERANCE * 40);
        EXPECT_NEAR(back.y, p.y, MATRIX_TOLERANCE * 40);
        EXPECT_NEAR(back.z, p.z, MATRIX_TOLERANCE * 40);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Transforms, SdkValuesInverse,
    testing::Values(TransformCase{"Identity", 0.0f, 0.0f, Point3(1, 1, 1), Point3(0, 0, 0)},
                    TransformCase{"TranslationOnly", 0.0f, 0.0f, Point3(1, 1, 1), Point3(5, -3, 2)},
                    TransformCase{"RotationScaleTranslation", 0.7f, -1.9f, Point3(2.0f, 0.5f, 3.0f), Point3(10, 20, -30)},
                    TransformCase{"Mirror", 0.0f, 0.4f, Point3(-1, 1, 1), Point3(1, 1, 1)}),
    [](const testing::TestParamInfo<TransformCase>& caseInfo) { return caseInfo.param.name; });

TEST(SdkValuesBox, TransformedBoxHoldsTheTransformedCorners) {
    Box3 box(Point3(0, 0, 0), Point3(1, 1, 1));
    Matrix3 m = RotateZMatrix(0.78539816f);
    m.Translate(Point3(3, 0, 0));
    Box3 out = box * m;
    // A unit square turned 45 degrees spans its diagonal.
    EXPECT_NEAR(out.Width().x, std::sqrt(2.0f), MATRIX_TOLERANCE);
    EXPECT_NEAR(out.Width().z, 1.0f, MATRIX_TOLERANCE);
    for (int corner = 0; corner < 8; ++corner) {
        Point3 p(corner & 1, (corner >> 1) & 1, (corner >> 2) & 1);
        Point3 q = p * m;
        EXPECT_GE(q.x, out.pmin.x - MATRIX_TOLERANCE);
        EXPECT_LE(q.x, out.pmax.x + MATRIX_TOLERANCE);
    }
    EXPECT_TRUE((Box3() * m).IsEmpty());
}

struct IntervalCase {
    std::string name;
    Interval a, b, expected;
};
void PrintTo(const IntervalCase& c, std::ostream* os) { *os << c.name; }

class SdkValuesInterval : public testing::TestWithParam<IntervalCase> {};

TEST_P(SdkValuesInterval, IntersectionIsSymmetric) {
    const IntervalCase& c = GetParam();
    EXPECT_EQ(c.a & c.b, c.expected);
    EXPECT_EQ(c.b & c.a, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Intersections, SdkValuesInterval,
    testing::Values(IntervalCase{"NeverWithForever", NEVER, FOREVER, NEVER},
                    IntervalCase{"NeverWithSpan", NEVER, Interval(0, 100), NEVER},
                    IntervalCase{"ForeverWithSpan", FOREVER, Interval(-5, 100), Interval(-5, 100)},
                    IntervalCase{"ForeverWithForever", FOREVER, FOREVER, FOREVER},
                    IntervalCase{"Overlap", Interval(0, 100), Interval(50, 200), Interval(50, 100)},
                    IntervalCase{"TouchAtOneTick", Interval(0, 100), Interval(100, 200), Interval(100, 100)},
                    IntervalCase{"Disjoint", Interval(0, 100), Interval(101, 200), NEVER}),
    [](const testing::TestParamInfo<IntervalCase>& caseInfo) { return caseInfo.param.name; });

TEST(SdkValuesInterval, NeverContainsNoTime) {
    EXPECT_FALSE(NEVER.InInterval(TIME_NegInfinity));
    EXPECT_FALSE(NEVER.InInterval(0));
    EXPECT_TRUE(FOREVER.InInterval(TIME_NegInfinity));
    EXPECT_TRUE(FOREVER.InInterval(TIME_PosInfinity));
}

TEST(SdkValuesTab, AppendOneAtATimeKeepsOrder) {
    Tab<int> tab;
    EXPECT_EQ(tab.Count(), 0);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(tab.Append(1, &i), i);
    ASSERT_EQ(tab.Count(), 100);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(tab[i], i);
}

TEST(SdkValuesTab, ZeroCountKeepsStorageAndFreeReleasesIt) {
    Tab<float> tab;
    EXPECT_FALSE(tab.HasStorage());
    float v = 1.5f;
    for (int i = 0; i < 5; ++i) tab.Append(1, &v);
    int capacity = tab.Capacity();
    tab.ZeroCount();
    EXPECT_EQ(tab.Count(), 0);
    EXPECT_TRUE(tab.HasStorage());
    EXPECT_EQ(tab.Capacity(), capacity);
    tab.Free();
    EXPECT_FALSE(tab.HasStorage());
    EXPECT_EQ(tab.Count(), 0);
    // A freed table can be filled again.
    tab.Append(1, &v);
    EXPECT_EQ(tab.Count(), 1);
}

TEST(SdkValuesTab, CopiesAreIndependent) {
    Tab<int> a;
    int values[3] = {4, 5, 6};
    a.Append(3, values);
    Tab<int> b = a;
    b[0] = 99;
    EXPECT_EQ(a[0], 4);
    EXPECT_EQ(b.Count(), 3);
}

}  // namespace
