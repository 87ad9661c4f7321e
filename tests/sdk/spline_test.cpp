// Properties of the stand-in's Bezier splines: segments, evaluation, handles, lengths.
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <random>
#include <ostream>
#include <string>
#include "spline3d.h"

namespace {

const float PI_F = 3.14159265358979f;
// Lengths come from quadrature in double rounded to float: a few float ulps.
const float LENGTH_TOLERANCE = 1e-5f;
// A four-knot Bezier circle deviates from the true circle by about 2.7e-4 of
// its radius, so its radius and length are checked to 1e-3 relative.
const float CIRCLE_TOLERANCE = 1e-3f;

SplineKnot knotAt(int type, const Point3& p) { return SplineKnot(type, LTYPE_CURVE, p, p, p); }

Spline3D splineThrough(int type, const std::vector<Point3>& points, bool closed) {
    Spline3D s;
    for (const Point3& p : points) s.AddKnot(knotAt(type, p));
    s.SetClosed(closed ? 1 : 0);
    s.ComputeBezPoints();
    return s;
}

Spline3D circle(float r, const Point3& c) {
    return splineThrough(KTYPE_AUTO,
                         {c + Point3(r, 0.0f, 0.0f), c + Point3(0.0f, r, 0.0f), c + Point3(-r, 0.0f, 0.0f),
                          c + Point3(0.0f, -r, 0.0f)},
                         true);
}

bool isNan(const Point3& p) { return std::isnan(p.x) || std::isnan(p.y) || std::isnan(p.z); }

void expectNear(const Point3& a, const Point3& b, float tol) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}

TEST(SdkSplineLength, StraightCornerSegmentIsItsChord) {
    Spline3D s = splineThrough(KTYPE_CORNER, {Point3(1.0f, 2.0f, 3.0f), Point3(4.0f, 6.0f, 3.0f)}, false);
    EXPECT_NEAR(s.SplineLength(), 5.0f, 5.0f * LENGTH_TOLERANCE);
}

TEST(SdkSplineLength, LineTypeSegmentIgnoresItsHandles) {
    Spline3D s;
    s.AddKnot(SplineKnot(KTYPE_BEZIER, LTYPE_LINE, Point3(0, 0, 0), Point3(0, 0, 0), Point3(0, 9, 0)));
    s.AddKnot(SplineKnot(KTYPE_BEZIER, LTYPE_CURVE, Point3(3, 4, 0), Point3(-7, 2, 0), Point3(3, 4, 0)));
    EXPECT_NEAR(s.SplineLength(), 5.0f, 5.0f * LENGTH_TOLERANCE);
    expectNear(s.InterpBezier3D(0, 0.5f), Point3(1.5f, 2.0f, 0.0f), 1e-6f);
}

TEST(SdkSplineLength, ClosedSquareCountsItsClosingSide) {
    std::vector<Point3> square = {Point3(0, 0, 0), Point3(2, 0, 0), Point3(2, 2, 0), Point3(0, 2, 0)};
    EXPECT_NEAR(splineThrough(KTYPE_CORNER, square, false).SplineLength(), 6.0f, 6.0f * LENGTH_TOLERANCE);
    EXPECT_NEAR(splineThrough(KTYPE_CORNER, square, true).SplineLength(), 8.0f, 8.0f * LENGTH_TOLERANCE);
}

TEST(SdkSplineLength, DegenerateSplinesHaveZeroLength) {
    Point3 p(5.0f, -1.0f, 2.0f);
    EXPECT_EQ(Spline3D().SplineLength(), 0.0f);
    EXPECT_EQ(splineThrough(KTYPE_AUTO, {p}, false).SplineLength(), 0.0f);
    EXPECT_EQ(splineThrough(KTYPE_AUTO, {p, p, p}, true).SplineLength(), 0.0f);
}

TEST(SdkSplineLength, NonFiniteCoordinatesReturnWithoutHanging) {
    float inf = std::numeric_limits<float>::infinity();
    float nan = std::numeric_limits<float>::quiet_NaN();
    Spline3D s = splineThrough(KTYPE_AUTO, {Point3(0, 0, 0), Point3(inf, 1.0f, 0.0f), Point3(2.0f, nan, 0.0f)}, true);
    EXPECT_FALSE(std::isfinite(s.SplineLength()));
}

// Reference: a polyline of many chords, in double, through the Bernstein form.
double chordLength(const Point3 c[4], int chords) {
    double total = 0.0, prev[3] = {c[0].x, c[0].y, c[0].z};
    for (int i = 1; i <= chords; ++i) {
        double u = double(i) / chords, s = 1.0 - u, cur[3];
        for (int k = 0; k < 3; ++k)
            cur[k] = s * s * s * c[0][k] + 3 * u * s * s * c[1][k] + 3 * u * u * s * c[2][k] + u * u * u * c[3][k];
        total += std::sqrt((cur[0] - prev[0]) * (cur[0] - prev[0]) + (cur[1] - prev[1]) * (cur[1] - prev[1]) +
                           (cur[2] - prev[2]) * (cur[2] - prev[2]));
        for (int k = 0; k < 3; ++k) prev[k] = cur[k];
    }
    return total;
}

TEST(SdkSplineLength, AgreesWithFineChordSumOnRandomSegments) {
    std::mt19937 rng(20240611);
    std::uniform_real_distribution<float> coord(-10.0f, 10.0f);
    for (int trial = 0; trial < 20; ++trial) {
        Point3 c[4];
        for (Point3& p : c) p = Point3(coord(rng), coord(rng), coord(rng));
        Spline3D s;
        s.AddKnot(SplineKnot(KTYPE_BEZIER, LTYPE_CURVE, c[0], c[0], c[1]));
        s.AddKnot(SplineKnot(KTYPE_BEZIER, LTYPE_CURVE, c[3], c[2], c[3]));
        double reference = chordLength(c, 200000);
        EXPECT_NEAR(s.SplineLength(), reference, reference * LENGTH_TOLERANCE) << "trial " << trial;
    }
}

TEST(SdkSplineLength, CuspSegmentIsMeasured) {
    // Handles crossed so that the curve turns back on itself with a cusp.
    Point3 c[4] = {Point3(0, 0, 0), Point3(3, 3, 0), Point3(0, 3, 0), Point3(3, 0, 0)};
    Spline3D s;
    s.AddKnot(SplineKnot(KTYPE_BEZIER, LTYPE_CURVE, c[0], c[0], c[1]));
    s.AddKnot(SplineKnot(KTYPE_BEZIER, LTYPE_CURVE, c[3], c[2], c[3]));
    double reference = chordLength(c, 200000);
    EXPECT_NEAR(s.SplineLength(), reference, reference * LENGTH_TOLERANCE);
}

struct CircleCase {
    std::string name;
    float radius;
    Point3 centre;
};
// Failure messages name the case.
void PrintTo(const CircleCase& c, std::ostream* os) { *os << c.name; }

class SdkSplineCircle : public testing::TestWithParam<CircleCase> {};

TEST_P(SdkSplineCircle, FourSmoothKnotsMakeACircle) {
    const CircleCase& c = GetParam();
    Spline3D s = circle(c.radius, c.centre);
    EXPECT_NEAR(s.SplineLength(), 2.0f * PI_F * c.radius, 2.0f * PI_F * c.radius * CIRCLE_TOLERANCE);
    for (int seg = 0; seg < s.Segments(); ++seg) {
        float r = Length(s.InterpBezier3D(seg, 0.5f) - c.centre);
        EXPECT_NEAR(r, c.radius, c.radius * CIRCLE_TOLERANCE) << "segment " << seg;
    }
}

INSTANTIATE_TEST_SUITE_P(Radii, SdkSplineCircle,
                         testing::Values(CircleCase{"Unit", 1.0f, Point3(0, 0, 0)},
                                         CircleCase{"Small", 0.01f, Point3(0, 0, 0)},
                                         CircleCase{"LargeOffCentre", 500.0f, Point3(100, -40, 7)}),
                         [](const testing::TestParamInfo<CircleCase>& caseInfo) { return caseInfo.param.name; });

struct SegmentCountCase {
    std::string name;
    int knots;
    bool closed;
    int segments;
};
// Failure messages name the case.
void PrintTo(const SegmentCountCase& c, std::ostream* os) { *os << c.name; }

class SdkSplineSegments : public testing::TestWithParam<SegmentCountCase> {};

TEST_P(SdkSplineSegments, CountFollowsKnotsAndClosure) {
    const SegmentCountCase& c = GetParam();
    Spline3D s;
    for (int i = 0; i < c.knots; ++i) s.AddKnot(knotAt(KTYPE_CORNER, Point3(i, i * i, 0)));
    s.SetClosed(c.closed ? 1 : 0);
    EXPECT_EQ(s.Segments(), c.segments);
}

INSTANTIATE_TEST_SUITE_P(Counts, SdkSplineSegments,
                         testing::Values(SegmentCountCase{"OpenEmpty", 0, false, 0},
                                         SegmentCountCase{"ClosedEmpty", 0, true, 0},
                                         SegmentCountCase{"OpenOne", 1, false, 0},
                                         SegmentCountCase{"ClosedOne", 1, true, 1},
                                         SegmentCountCase{"OpenFive", 5, false, 4},
                                         SegmentCountCase{"ClosedFive", 5, true, 5}),
                         [](const testing::TestParamInfo<SegmentCountCase>& caseInfo) { return caseInfo.param.name; });

TEST(SdkSplineEval, SegmentEndsAreTheKnotsExactly) {
    Spline3D s = circle(3.0f, Point3(1, 2, 3));
    for (int seg = 0; seg < s.Segments(); ++seg) {
        EXPECT_EQ(s.InterpBezier3D(seg, 0.0f), s.GetKnotPoint(seg)) << "segment " << seg;
        EXPECT_EQ(s.InterpBezier3D(seg, 1.0f), s.GetKnotPoint((seg + 1) % s.KnotCount())) << "segment " << seg;
    }
}

TEST(SdkSplineEval, ParameterJustAboveOneStaysAtTheEnd) {
    Spline3D s = circle(100.0f, Point3(0, 0, 0));
    float justAbove = std::nextafter(1.0f, 2.0f);
    for (int seg = 0; seg < s.Segments(); ++seg) {
        Point3 end = s.GetKnotPoint((seg + 1) % s.KnotCount());
        EXPECT_LT(Length(s.InterpBezier3D(seg, justAbove) - end), 1e-3f) << "segment " << seg;
    }
}

TEST(SdkSplineEval, SegmentOutsideTheSplineGivesAnEndNotGarbage) {
    Spline3D s = splineThrough(KTYPE_AUTO, {Point3(0, 0, 0), Point3(1, 1, 0), Point3(2, 0, 0)}, false);
    EXPECT_EQ(s.InterpBezier3D(2, 0.5f), Point3(2, 0, 0));
    EXPECT_EQ(s.InterpBezier3D(-1, 0.5f), Point3(0, 0, 0));
    EXPECT_EQ(Spline3D().InterpBezier3D(0, 0.5f), Point3::Origin());
}

TEST(SdkSplineEval, CurveParameterSpreadsOverSegmentsAndClamps) {
    std::vector<Point3> pts = {Point3(0, 0, 0), Point3(4, 0, 0), Point3(4, 4, 0)};
    Spline3D open = splineThrough(KTYPE_CORNER, pts, false);
    EXPECT_EQ(open.InterpCurve3D(0.0f), pts[0]);
    EXPECT_EQ(open.InterpCurve3D(0.5f), pts[1]);
    EXPECT_EQ(open.InterpCurve3D(1.0f), pts[2]);
    EXPECT_EQ(open.InterpCurve3D(-3.0f), pts[0]);
    EXPECT_EQ(open.InterpCurve3D(7.0f), pts[2]);
    expectNear(open.InterpCurve3D(0.25f), Point3(2, 0, 0), 1e-5f);
    expectNear(open.TangentCurve3D(0.75f), Point3(0, 1, 0), 1e-6f);
    Spline3D closed = splineThrough(KTYPE_CORNER, pts, true);
    EXPECT_EQ(closed.InterpCurve3D(1.0f), pts[0]);
    EXPECT_EQ(Spline3D().InterpCurve3D(0.5f), Point3::Origin());
    EXPECT_EQ(splineThrough(KTYPE_AUTO, {pts[1]}, false).InterpCurve3D(0.5f), pts[1]);
}

TEST(SdkSplineHandles, CornerSegmentsAreStraightAndEven) {
    Spline3D s;
    Point3 a(0, 0, 0), b(6, 3, -3);
    s.AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_CURVE, a, Point3(5, 5, 5), Point3(-9, 1, 2)));
    s.AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_CURVE, b, Point3(7, 7, 7), Point3(1, 2, 3)));
    s.ComputeBezPoints();
    for (float u : {0.1f, 0.25f, 0.5f, 0.9f}) expectNear(s.InterpBezier3D(0, u), a + (b - a) * u, 1e-5f);
}

TEST(SdkSplineHandles, BezierKnotsKeepTheirHandles) {
    Spline3D s;
    SplineKnot k0(KTYPE_BEZIER, LTYPE_CURVE, Point3(0, 0, 0), Point3(-1, 2, 0), Point3(1, -2, 0));
    SplineKnot k1(KTYPE_BEZIER_CORNER, LTYPE_CURVE, Point3(5, 0, 0), Point3(4, 4, 4), Point3(6, 1, 0));
    s.AddKnot(k0);
    s.AddKnot(k1);
    s.ComputeBezPoints();
    EXPECT_EQ(s.GetInVec(0), k0.InVec());
    EXPECT_EQ(s.GetOutVec(0), k0.OutVec());
    EXPECT_EQ(s.GetInVec(1), k1.InVec());
    EXPECT_EQ(s.GetOutVec(1), k1.OutVec());
}

// A connecting spline is built automatic, computed, retyped, computed again:
// Bezier knots must come out of that with the smooth handles of the first pass.
TEST(SdkSplineHandles, SmoothHandlesSurviveRetypingToBezier) {
    Spline3D s = splineThrough(KTYPE_AUTO, {Point3(0, 0, 0), Point3(2, 3, 0), Point3(5, 1, 1)}, false);
    Spline3D smooth = s;
    for (int i = 0; i < s.KnotCount(); ++i) s.SetKnotType(i, KTYPE_BEZIER);
    s.ComputeBezPoints();
    for (int i = 0; i < s.KnotCount(); ++i) {
        EXPECT_EQ(s.GetInVec(i), smooth.GetInVec(i)) << "knot " << i;
        EXPECT_EQ(s.GetOutVec(i), smooth.GetOutVec(i)) << "knot " << i;
    }
}

TEST(SdkSplineHandles, AutomaticKnotsAreRecomputed) {
    Spline3D s = splineThrough(KTYPE_AUTO, {Point3(0, 0, 0), Point3(2, 3, 0), Point3(5, 1, 1)}, false);
    Point3 in = s.GetInVec(1), out = s.GetOutVec(1);
    s.SetInVec(1, Point3(100, 100, 100));
    s.SetOutVec(1, Point3(-100, 0, 0));
    s.ComputeBezPoints();
    EXPECT_EQ(s.GetInVec(1), in);
    EXPECT_EQ(s.GetOutVec(1), out);
    // The handles of a smooth knot are opposite each other.
    Point3 p = s.GetKnotPoint(1);
    EXPECT_NEAR(DotProd(Normalize(in - p), Normalize(out - p)), -1.0f, 1e-6f);
}

TEST(SdkSplineHandles, OpenEndsPointAThirdTowardTheirNeighbour) {
    Point3 a(0, 0, 0), b(3, 6, 0), c(9, 6, 3);
    Spline3D s = splineThrough(KTYPE_AUTO, {a, b, c}, false);
    EXPECT_EQ(s.GetInVec(0), a);
    expectNear(s.GetOutVec(0), Point3(1, 2, 0), 1e-6f);
    expectNear(s.GetInVec(2), Point3(7, 6, 2), 1e-6f);
    EXPECT_EQ(s.GetOutVec(2), c);
}

TEST(SdkSplineHandles, LoneAndSurroundedKnotsKeepHandlesOnThePoint) {
    Point3 p(1, 2, 3);
    Spline3D lone = splineThrough(KTYPE_AUTO, {p}, true);
    EXPECT_EQ(lone.GetInVec(0), p);
    EXPECT_EQ(lone.GetOutVec(0), p);
    Spline3D stacked = splineThrough(KTYPE_AUTO, {p, p, p}, true);
    EXPECT_EQ(stacked.GetInVec(1), p);
    EXPECT_EQ(stacked.GetOutVec(1), p);
}

TEST(SdkSplineHandles, FiniteInputNeverGivesNotANumber) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pick(0, 4);
    const float big = std::numeric_limits<float>::max();
    // Coordinates drawn from a few values so that knots coincide often.
    const float values[5] = {0.0f, 1.0f, -big, big, 1e-30f};
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<Point3> pts;
        int n = 1 + trial % 5;
        for (int i = 0; i < n; ++i) pts.push_back(Point3(values[pick(rng)], values[pick(rng)], values[pick(rng)]));
        for (bool closed : {false, true}) {
            Spline3D s = splineThrough(trial % 2 ? KTYPE_AUTO : KTYPE_CORNER, pts, closed);
            for (int i = 0; i < n; ++i) {
                EXPECT_FALSE(isNan(s.GetInVec(i))) << "trial " << trial << " knot " << i;
                EXPECT_FALSE(isNan(s.GetOutVec(i))) << "trial " << trial << " knot " << i;
            }
        }
    }
}

TEST(SdkSplineBox, ContainsKnotsAndHandles) {
    Spline3D s;
    s.AddKnot(SplineKnot(KTYPE_BEZIER, LTYPE_CURVE, Point3(0, 0, 0), Point3(0, 0, 0), Point3(1, 5, 0)));
    s.AddKnot(SplineKnot(KTYPE_BEZIER, LTYPE_CURVE, Point3(2, 0, 0), Point3(3, -1, 2), Point3(2, 0, 0)));
    Box3 box = s.GetBBox();
    EXPECT_EQ(box.pmin, Point3(0, -1, 0));
    EXPECT_EQ(box.pmax, Point3(3, 5, 2));
    Matrix3 shift = TransMatrix(Point3(10, 0, 0));
    EXPECT_EQ(s.GetBBox(&shift).pmin, Point3(10, -1, 0));
    EXPECT_TRUE(Spline3D().GetBBox().IsEmpty());
}

}  // namespace
