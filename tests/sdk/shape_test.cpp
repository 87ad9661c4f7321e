// Properties of the stand-in's shapes: polyline conversion, caps, hierarchy,
// and the viewport services (hit testing, snapping, drawing).
#include <gtest/gtest.h>
#include <cmath>
#include <ostream>
#include <string>
#include "gfx.h"
#include "shape.h"

namespace {

// A four-knot Bezier circle strays from its radius by under 3e-4 of it.
const float CIRCLE_TOLERANCE = 1e-3f;

void addSpline(BezierShape& shape, int type, const std::vector<Point3>& points, bool closed) {
    Spline3D* s = shape.NewSpline();
    for (const Point3& p : points) s->AddKnot(SplineKnot(type, LTYPE_CURVE, p, p, p));
    s->SetClosed(closed ? 1 : 0);
    s->ComputeBezPoints();
}

std::vector<Point3> square(float side, const Point3& corner = Point3(0, 0, 0)) {
    return {corner, corner + Point3(side, 0.0f, 0.0f), corner + Point3(side, side, 0.0f),
            corner + Point3(0.0f, side, 0.0f)};
}

std::vector<Point3> circleKnots(float r, const Point3& c = Point3(0, 0, 0)) {
    return {c + Point3(r, 0.0f, 0.0f), c + Point3(0.0f, r, 0.0f), c + Point3(-r, 0.0f, 0.0f),
            c + Point3(0.0f, -r, 0.0f)};
}

int knotFlagged(const PolyLine& line) {
    int n = 0;
    for (const PolyPt& pt : line.pts) n += (pt.flags & POLYPT_KNOT) ? 1 : 0;
    return n;
}

struct PolyCase {
    std::string name;
    int knotType;
    bool closed;
    int steps;
    BOOL optimize;
    int expectedPoints;
};
// Failure messages name the case.
void PrintTo(const PolyCase& c, std::ostream* os) { *os << c.name; }

class SdkShapePolyline : public testing::TestWithParam<PolyCase> {};

// Four knots of a square (corner knots: straight) or a circle (smooth knots: curved).
TEST_P(SdkShapePolyline, PointCountFollowsStepsAndOptimize) {
    const PolyCase& c = GetParam();
    BezierShape shape;
    addSpline(shape, c.knotType, c.knotType == KTYPE_CORNER ? square(2.0f) : circleKnots(2.0f), c.closed);
    PolyShape poly;
    shape.MakePolyShape(poly, c.steps, c.optimize);
    ASSERT_EQ(poly.numLines(), 1);
    EXPECT_EQ(poly.lines[0].numPts(), c.expectedPoints);
    EXPECT_EQ(knotFlagged(poly.lines[0]), 4);
    EXPECT_EQ(poly.lines[0].IsClosed(), c.closed ? 1 : 0);
}

// The shape's own steps are 6.
INSTANTIATE_TEST_SUITE_P(
    Counts, SdkShapePolyline,
    testing::Values(PolyCase{"ClosedSquareBuiltin", KTYPE_CORNER, true, PSHAPE_BUILTIN_STEPS, FALSE, 28},
                    PolyCase{"ClosedSquareOptimized", KTYPE_CORNER, true, PSHAPE_BUILTIN_STEPS, TRUE, 4},
                    PolyCase{"OpenSquareBuiltin", KTYPE_CORNER, false, PSHAPE_BUILTIN_STEPS, FALSE, 22},
                    PolyCase{"OpenSquareTwoSteps", KTYPE_CORNER, false, 2, FALSE, 10},
                    PolyCase{"ClosedCircleOptimized", KTYPE_AUTO, true, PSHAPE_BUILTIN_STEPS, TRUE, 28},
                    PolyCase{"ClosedCircleNoSteps", KTYPE_AUTO, true, 0, FALSE, 4},
                    PolyCase{"ClosedSquareAdaptive", KTYPE_CORNER, true, -1, FALSE, 4}),
    [](const testing::TestParamInfo<PolyCase>& caseInfo) { return caseInfo.param.name; });

TEST(SdkShapePolyline, AdaptiveStepsFollowTheCurve) {
    BezierShape shape;
    addSpline(shape, KTYPE_AUTO, circleKnots(5.0f), true);
    PolyShape poly;
    shape.MakePolyShape(poly, -1);
    const PolyLine& line = poly.lines[0];
    EXPECT_GT(line.numPts(), 4 * 4);
    // Every chord of the sampled circle stays close to the curve: its midpoint
    // lies within 1% of the radius.
    for (int i = 0; i < line.numPts(); ++i) {
        Point3 mid = (line[i] + line[(i + 1) % line.numPts()]) * 0.5f;
        EXPECT_GT(Length(mid), 5.0f * 0.99f) << "chord " << i;
    }
}

TEST(SdkShapeConvert, PolylinesBecomeCornerSplinesWithStraightSegments) {
    PolyShape poly;
    PolyLine& open = poly.NewLine();
    for (const Point3& p : {Point3(0, 0, 0), Point3(3, 0, 0), Point3(3, 4, 0)}) open.Append(PolyPt(p));
    PolyLine& closed = poly.NewLine();
    for (const Point3& p : square(1.0f, Point3(5, 5, 5))) closed.Append(PolyPt(p));
    closed.Close();

    BezierShape shape;
    shape.steps = 3;
    shape = poly;
    ASSERT_EQ(shape.SplineCount(), 2);
    EXPECT_EQ(shape.steps, 3);
    EXPECT_FALSE(shape.GetSpline(0)->Closed());
    EXPECT_TRUE(shape.GetSpline(1)->Closed());
    for (int i = 0; i < 2; ++i) {
        const Spline3D& s = *shape.GetSpline(i);
        ASSERT_EQ(s.KnotCount(), poly.lines[i].numPts());
        for (int k = 0; k < s.KnotCount(); ++k) {
            EXPECT_EQ(s.GetKnotType(k), KTYPE_CORNER);
            EXPECT_EQ(s.GetKnotPoint(k), poly.lines[i][k]);
        }
    }
    EXPECT_NEAR(shape.LengthOfCurve(0), 7.0f, 7e-5f);
    EXPECT_NEAR(shape.LengthOfCurve(1), 4.0f, 4e-5f);
    // Straight segments: the optimised polyline gives back exactly the input points.
    PolyShape back;
    shape.MakePolyShape(back, PSHAPE_BUILTIN_STEPS, TRUE);
    EXPECT_EQ(back.lines[1].numPts(), 4);
}

TEST(SdkShapeCopy, AssignmentCopiesDeeplyAndKeepsSteps) {
    BezierShape a;
    a.steps = 11;
    addSpline(a, KTYPE_AUTO, circleKnots(1.0f), true);
    BezierShape b;
    b = a;
    EXPECT_EQ(b.steps, 11);
    ASSERT_EQ(b.SplineCount(), 1);
    EXPECT_NE(b.GetSpline(0), a.GetSpline(0));
    b.GetSpline(0)->SetKnotPoint(0, Point3(9, 9, 9));
    EXPECT_EQ(a.GetSpline(0)->GetKnotPoint(0), Point3(1, 0, 0));
}

TEST(SdkShapeSplines, NewSplineAppendsAnEmptyOpenSplineAndBadIndicesGiveNull) {
    BezierShape shape;
    addSpline(shape, KTYPE_CORNER, square(1.0f), true);
    Spline3D* added = shape.NewSpline();
    EXPECT_EQ(shape.GetSpline(1), added);
    EXPECT_EQ(added->KnotCount(), 0);
    EXPECT_FALSE(added->Closed());
    EXPECT_EQ(shape.GetSpline(2), nullptr);
    EXPECT_EQ(shape.GetSpline(-1), nullptr);
    shape.NewShape();
    EXPECT_EQ(shape.SplineCount(), 0);
}

TEST(SdkShapeQueries, BadCurveIndexAnswersOriginOrZero) {
    BezierShape shape;
    addSpline(shape, KTYPE_CORNER, square(1.0f), true);
    for (int bad : {-1, 1, 1000}) {
        EXPECT_EQ(shape.InterpCurve3D(bad, 0.5f), Point3::Origin()) << bad;
        EXPECT_EQ(shape.TangentCurve3D(bad, 0.5f), Point3::Origin()) << bad;
        EXPECT_EQ(shape.LengthOfCurve(bad), 0.0f) << bad;
        EXPECT_EQ(shape.InterpPiece3D(bad, 0, 0.5f), Point3::Origin()) << bad;
        EXPECT_EQ(shape.TangentPiece3D(bad, 0, 0.5f), Point3::Origin()) << bad;
    }
    EXPECT_EQ(shape.InterpPiece3D(0, 1, 1.0f), Point3(1, 1, 0));
}

TEST(SdkShapeBox, CoversEveryKnotAndHandle) {
    BezierShape shape;
    EXPECT_TRUE(shape.GetBoundingBox().IsEmpty());
    addSpline(shape, KTYPE_CORNER, square(2.0f), false);
    Spline3D* s = shape.NewSpline();
    s->AddKnot(SplineKnot(KTYPE_BEZIER, LTYPE_CURVE, Point3(1, 1, 0), Point3(1, 1, -3), Point3(1, 7, 0)));
    Box3 box = shape.GetBoundingBox();
    EXPECT_EQ(box.pmin, Point3(0, 0, -3));
    EXPECT_EQ(box.pmax, Point3(2, 7, 0));
    Matrix3 shift = TransMatrix(Point3(0, 0, 10));
    EXPECT_EQ(shape.GetBoundingBox(&shift).pmin, Point3(0, 0, 7));
}

TEST(SdkShapeBox, PolyShapeBoxCoversItsPoints) {
    PolyShape poly;
    EXPECT_TRUE(poly.BuildBoundingBox().IsEmpty());
    for (const Point3& p : {Point3(-1, 2, 3), Point3(4, -5, 6)}) poly.NewLine().Append(PolyPt(p));
    Box3 box = poly.BuildBoundingBox();
    EXPECT_EQ(box.pmin, Point3(-1, -5, 3));
    EXPECT_EQ(box.pmax, Point3(4, 2, 6));
}

// Triangle area in the XY plane, positive counter-clockwise.
double signedTriangleArea(const MeshCapInfo& cap, const MeshCapInfo::Face& f) {
    const Point3 &a = cap.verts[f.v[0]], &b = cap.verts[f.v[1]], &c = cap.verts[f.v[2]];
    return 0.5 * ((double(b.x) - a.x) * (double(c.y) - a.y) - (double(b.y) - a.y) * (double(c.x) - a.x));
}

struct CapCase {
    std::string name;
    std::vector<Point3> outline;
    double area;
};
// Failure messages name the case.
void PrintTo(const CapCase& c, std::ostream* os) { *os << c.name; }

class SdkShapeCap : public testing::TestWithParam<CapCase> {};

// Triangles tile the outline exactly: n - 2 of them, all in the outline's
// winding, their areas summing to the outline's area (a wrong ear overlaps
// or leaves a gap and breaks the sum).
TEST_P(SdkShapeCap, TrianglesTileTheOutline) {
    const CapCase& c = GetParam();
    BezierShape shape;
    addSpline(shape, KTYPE_CORNER, c.outline, true);
    MeshCapInfo cap;
    shape.MakeCap(0, cap, CAPTYPE_MORPH);
    EXPECT_EQ(cap.verts.size(), c.outline.size());
    ASSERT_EQ(cap.faces.size(), c.outline.size() - 2);
    double total = 0.0;
    for (const MeshCapInfo::Face& f : cap.faces) {
        double a = signedTriangleArea(cap, f);
        EXPECT_GT(a * c.area, 0.0);
        total += a;
    }
    EXPECT_NEAR(total, c.area, 1e-6 * std::fabs(c.area));
}

INSTANTIATE_TEST_SUITE_P(
    Outlines, SdkShapeCap,
    testing::Values(
        CapCase{"Square", square(3.0f), 9.0},
        CapCase{"ClockwiseSquare", {Point3(0, 0, 0), Point3(0, 3, 0), Point3(3, 3, 0), Point3(3, 0, 0)}, -9.0},
        CapCase{"LShape",
                {Point3(0, 0, 0), Point3(4, 0, 0), Point3(4, 1, 0), Point3(1, 1, 0), Point3(1, 4, 0), Point3(0, 4, 0)},
                7.0},
        CapCase{"Comb",
                {Point3(0, 0, 0), Point3(5, 0, 0), Point3(5, 3, 0), Point3(4, 3, 0), Point3(4, 1, 0),
                 Point3(3, 1, 0), Point3(3, 3, 0), Point3(2, 3, 0), Point3(2, 1, 0), Point3(1, 1, 0),
                 Point3(1, 3, 0), Point3(0, 3, 0)},
                11.0}),
    [](const testing::TestParamInfo<CapCase>& caseInfo) { return caseInfo.param.name; });

TEST(SdkShapeCap, SquareInAVerticalPlaneIsCapped) {
    BezierShape shape;
    addSpline(shape, KTYPE_CORNER, {Point3(0, 0, 0), Point3(0, 2, 0), Point3(0, 2, 2), Point3(0, 0, 2)}, true);
    MeshCapInfo cap;
    shape.MakeCap(0, cap, CAPTYPE_GRID);
    EXPECT_EQ(cap.faces.size(), 2u);
}

TEST(SdkShapeCap, OnlyClosedCurvesAreCapped) {
    BezierShape shape;
    addSpline(shape, KTYPE_CORNER, square(1.0f), false);
    addSpline(shape, KTYPE_AUTO, circleKnots(1.0f), true);
    addSpline(shape, KTYPE_CORNER, square(1.0f, Point3(5, 0, 0)), true);
    MeshCapInfo mesh;
    shape.MakeCap(0, mesh, CAPTYPE_MORPH);
    // The circle: 4 knots with 6 steps each; the square: 4 corners.
    EXPECT_EQ(mesh.faces.size(), 26u + 2u);
    PatchCapInfo patch;
    shape.MakeCap(0, patch);
    ASSERT_EQ(patch.caps.size(), 2u);
    EXPECT_EQ(patch.caps[0].curve, 1);
    EXPECT_EQ(patch.caps[1].curve, 2);
    EXPECT_EQ(patch.caps[1].boundary, square(1.0f, Point3(5, 0, 0)));
}

TEST(SdkShapeOrganize, NestedCurvesFindTheirParentsAndClockwiseCurvesReverse) {
    BezierShape shape;
    addSpline(shape, KTYPE_CORNER, square(10.0f), true);
    std::vector<Point3> inner = square(2.0f, Point3(4, 4, 0));
    std::swap(inner[1], inner[3]);  // clockwise seen from +Z
    addSpline(shape, KTYPE_CORNER, inner, true);
    addSpline(shape, KTYPE_AUTO, circleKnots(1.0f, Point3(20, 5, 0)), true);  // beside the outer square
    addSpline(shape, KTYPE_CORNER, square(1.0f, Point3(4.5f, 4.5f, 0.0f)), true);
    addSpline(shape, KTYPE_CORNER, {Point3(1, 1, 0), Point3(2, 2, 0)}, false);
    ShapeHierarchy hier;
    shape.OrganizeCurves(0, &hier);
    EXPECT_EQ(hier.parents, (std::vector<int>{-1, 0, -1, 1, -1}));
    EXPECT_EQ(hier.reverse, (std::vector<int>{0, 1, 0, 0, 0}));
}

// A window 400 x 400 pixels, 10 pixels per unit, world origin at its centre.
void setTopView(GraphicsWindow& gw) { gw.setView(Matrix3(), 10.0f, IPoint2(200, 200)); }

struct HitCase {
    std::string name;
    IPoint2 pick;
    int expected;
};
// Failure messages name the case.
void PrintTo(const HitCase& c, std::ostream* os) { *os << c.name; }

class SdkShapeHitPoint : public testing::TestWithParam<HitCase> {};

// A circle of radius 10 units: 100 pixels around the window's centre.
TEST_P(SdkShapeHitPoint, HitsWithinTolerance) {
    BezierShape shape;
    addSpline(shape, KTYPE_AUTO, circleKnots(10.0f), true);
    GraphicsWindow gw;
    setTopView(gw);
    HitRegion hr;
    IPoint2 pick = GetParam().pick;
    MakeHitRegion(hr, HITTYPE_POINT, TRUE, 4, &pick);
    EXPECT_EQ(shape.Select(&gw, gw.getMaterial(), &hr), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Picks, SdkShapeHitPoint,
                         testing::Values(HitCase{"OnKnot", IPoint2(300, 200), 1},
                                         HitCase{"InsideTolerance", IPoint2(303, 200), 1},
                                         HitCase{"BetweenKnots", IPoint2(271, 129), 1},
                                         HitCase{"OutsideTolerance", IPoint2(306, 200), 0},
                                         HitCase{"Centre", IPoint2(200, 200), 0}),
                         [](const testing::TestParamInfo<HitCase>& caseInfo) { return caseInfo.param.name; });

TEST(SdkShapeHit, ObjectTransformMovesTheCurve) {
    BezierShape shape;
    addSpline(shape, KTYPE_CORNER, {Point3(0, 0, 0), Point3(1, 0, 0)}, false);
    GraphicsWindow gw;
    setTopView(gw);
    gw.setTransform(TransMatrix(Point3(0, 5, 0)));
    HitRegion hr;
    IPoint2 pick(205, 150);
    MakeHitRegion(hr, HITTYPE_POINT, TRUE, 2, &pick);
    EXPECT_EQ(shape.Select(&gw, gw.getMaterial(), &hr), 1);
    gw.setTransform(Matrix3());
    EXPECT_EQ(shape.Select(&gw, gw.getMaterial(), &hr), 0);
}

struct RectCase {
    std::string name;
    IPoint2 corners[2];
    int crossing;
    int expected;
};
// Failure messages name the case.
void PrintTo(const RectCase& c, std::ostream* os) { *os << c.name; }

class SdkShapeHitRect : public testing::TestWithParam<RectCase> {};

// A square from (0,0) to (10,10) units: pixels x 200..300, y 100..200. Its
// top side is sampled every 100/7 pixels, so the narrow box over it holds no
// sampled point and only a segment crosses it.
TEST_P(SdkShapeHitRect, CrossingAndWindowRules) {
    const RectCase& c = GetParam();
    BezierShape shape;
    addSpline(shape, KTYPE_CORNER, square(10.0f), true);
    GraphicsWindow gw;
    setTopView(gw);
    HitRegion hr;
    IPoint2 corners[2] = {c.corners[0], c.corners[1]};
    MakeHitRegion(hr, HITTYPE_BOX, c.crossing, 0, corners);
    EXPECT_EQ(shape.Select(&gw, gw.getMaterial(), &hr), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rects, SdkShapeHitRect,
    testing::Values(RectCase{"CrossingAroundCorner", {IPoint2(190, 190), IPoint2(210, 210)}, TRUE, 1},
                    RectCase{"CrossingOverSideOnly", {IPoint2(245, 90), IPoint2(255, 110)}, TRUE, 1},
                    RectCase{"CrossingInsideTheHole", {IPoint2(220, 120), IPoint2(280, 180)}, TRUE, 0},
                    RectCase{"WindowAroundAll", {IPoint2(310, 210), IPoint2(190, 90)}, FALSE, 1},
                    RectCase{"WindowAroundPart", {IPoint2(190, 90), IPoint2(250, 210)}, FALSE, 0}),
    [](const testing::TestParamInfo<RectCase>& caseInfo) { return caseInfo.param.name; });

TEST(SdkShapeHit, EmptyShapeIsNeverHit) {
    BezierShape shape;
    GraphicsWindow gw;
    HitRegion hr;
    IPoint2 corners[2] = {IPoint2(-100, -100), IPoint2(100, 100)};
    MakeHitRegion(hr, HITTYPE_BOX, FALSE, 0, corners);
    EXPECT_EQ(shape.Select(&gw, gw.getMaterial(), &hr), 0);
}

TEST(SdkShapeSnap, FindsTheNearestKnotWithinStrength) {
    BezierShape shape;
    addSpline(shape, KTYPE_CORNER, {Point3(0, 0, 0), Point3(1, 0, 0), Point3(2, 0, 0)}, false);
    GraphicsWindow gw;
    setTopView(gw);
    Matrix3 tm = TransMatrix(Point3(0, 0, 3));
    SnapInfo snap;
    IPoint2 mouse(212, 201);
    shape.Snap(&gw, &snap, &mouse, tm);
    ASSERT_TRUE(snap.found);
    EXPECT_EQ(snap.bestWorld, Point3(1, 0, 3));
    EXPECT_EQ(snap.bestScreen.x, 210);
    EXPECT_EQ(snap.bestScreen.y, 200);
    EXPECT_NEAR(snap.bestDist, std::sqrt(5.0f), 1e-6f);

    // An earlier, nearer result is kept.
    snap.bestDist = 1.0f;
    snap.bestWorld = Point3(7, 7, 7);
    shape.Snap(&gw, &snap, &mouse, tm);
    EXPECT_EQ(snap.bestWorld, Point3(7, 7, 7));

    SnapInfo far;
    IPoint2 away(250, 250);
    shape.Snap(&gw, &far, &away, tm);
    EXPECT_FALSE(far.found);
}

TEST(SdkShapeRender, OnePolylinePerSplineAndAMarkerPerKnot) {
    BezierShape shape;
    addSpline(shape, KTYPE_CORNER, square(1.0f), true);
    addSpline(shape, KTYPE_AUTO, {Point3(0, 0, 0), Point3(1, 2, 0), Point3(3, 1, 0)}, false);
    GraphicsWindow gw;
    EXPECT_EQ(shape.Render(&gw, nullptr, nullptr, COMP_ALL), 1);
    ASSERT_EQ(gw.Polylines().size(), 2u);
    EXPECT_TRUE(gw.Polylines()[0].closed);
    EXPECT_FALSE(gw.Polylines()[1].closed);
    EXPECT_EQ(gw.Polylines()[0].world.size(), 4u * 7u);
    EXPECT_EQ(gw.Polylines()[1].world.size(), 2u * 7u + 1u);
    EXPECT_EQ(gw.Markers().size(), 7u);
}

TEST(SdkGfx, ScreenAndWorldAreInverseOnTheViewPlane) {
    GraphicsWindow gw;
    Matrix3 view = RotateZMatrix(0.3f);
    view.Translate(Point3(2, -1, 0));
    gw.setView(view, 4.0f, IPoint2(100, 80));
    for (IPoint2 s : {IPoint2(0, 0), IPoint2(100, 80), IPoint2(37, 191)}) {
        IPoint2 back = gw.WorldToScreen(gw.ScreenToWorld(s));
        EXPECT_EQ(back.x, s.x);
        EXPECT_EQ(back.y, s.y);
    }
    // Screen y grows downward.
    gw.setView(Matrix3(), 10.0f, IPoint2(50, 50));
    EXPECT_EQ(gw.ObjectToScreen(Point3(1, 1, 0)).y, 40);
}

TEST(SdkGfx, SnapPointRoundsToTheGridOnlyWhenAsked) {
    ViewExp vpt;
    vpt.getGW()->setView(Matrix3(), 10.0f, IPoint2(0, 0));
    vpt.SetGridSpacing(2.0f);
    IPoint2 in(13, -27), out;
    EXPECT_EQ(vpt.SnapPoint(in, out), Point3(1.3f, 2.7f, 0.0f));
    EXPECT_EQ(out.x, 13);
    EXPECT_EQ(vpt.SnapPoint(in, out, nullptr, 1), Point3(2.0f, 2.0f, 0.0f));
}

}  // namespace
