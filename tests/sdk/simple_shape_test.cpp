// The host's parametric shapes: their outlines, their animated parameters,
// and how a parameter change reaches a trellis object that uses one as a section.
#include <cmath>
#include <functional>
#include <memory>
#include "support/cage_fixture.h"
#include "simpshp.h"

namespace {

const float PI_F = 3.14159265f;
const float DISTANCE_TOLERANCE = 1e-4f;

struct OutlineCase {
    const char* name;
    std::function<SimpleShape*()> make;
    int knots;
    int knotType;
    // Distance from the centre of knot i.
    std::function<float(int)> radiusOf;
};

SimpleShape* withParams(SimpleShape* shape, const std::vector<float>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) shape->pblock->SetValue(static_cast<int>(i), 0, values[i]);
    return shape;
}

const OutlineCase OUTLINES[] = {
    {"Circle", [] { return withParams(new CircleObject(), {7.0f}); }, 4, KTYPE_AUTO, [](int) { return 7.0f; }},
    {"Rectangle", [] { return withParams(new RectangleObject(), {6.0f, 8.0f}); }, 4, KTYPE_CORNER,
     [](int) { return 5.0f; }},
    {"Pentagon", [] { return withParams(new NGonObject(), {3.0f, 5.0f}); }, 5, KTYPE_CORNER, [](int) { return 3.0f; }},
    {"Star", [] { return withParams(new StarObject(), {9.0f, 4.0f, 6.0f}); }, 12, KTYPE_CORNER,
     [](int i) { return i % 2 == 0 ? 9.0f : 4.0f; }},
};

class SimpleShapeOutline : public ::testing::TestWithParam<OutlineCase> {};

TEST_P(SimpleShapeOutline, IsOneClosedCentredSplineStartingOnPlusX) {
    std::unique_ptr<SimpleShape> shape(GetParam().make());
    BezierShape out;
    shape->MakeBezier(0, out);
    ASSERT_EQ(out.SplineCount(), 1);
    const Spline3D& spline = *out.GetSpline(0);
    EXPECT_TRUE(spline.Closed());
    ASSERT_EQ(spline.KnotCount(), GetParam().knots);
    Point3 sum(0.0f, 0.0f, 0.0f);
    for (int i = 0; i < spline.KnotCount(); ++i) {
        Point3 p = spline.GetKnotPoint(i);
        EXPECT_EQ(spline.GetKnotType(i), GetParam().knotType) << "knot " << i;
        EXPECT_EQ(p.z, 0.0f) << "knot " << i;
        EXPECT_NEAR(Length(p), GetParam().radiusOf(i), DISTANCE_TOLERANCE) << "knot " << i;
        sum += p;
    }
    EXPECT_LT(Length(sum), DISTANCE_TOLERANCE) << "centred on the origin";
    EXPECT_GT(spline.GetKnotPoint(0).x, 0.0f) << "the first knot is on the +X side";
    // Anticlockwise seen from +Z: the second knot is reached by turning left.
    EXPECT_GT(CrossProd(spline.GetKnotPoint(0), spline.GetKnotPoint(1)).z, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(Kinds, SimpleShapeOutline, ::testing::ValuesIn(OUTLINES),
                         [](const ::testing::TestParamInfo<OutlineCase>& c) { return std::string(c.param.name); });

TEST(SimpleShapeGeometry, CircleOfFourSmoothKnotsIsCloseToATrueCircle) {
    std::unique_ptr<SimpleShape> circle(withParams(new CircleObject(), {10.0f}));
    EXPECT_NEAR(circle->LengthOfCurve(0, 0), 2.0f * PI_F * 10.0f, 2.0f * PI_F * 10.0f * 1e-3f);
    // Half way between two knots the arc stays on the circle, not on the chord.
    EXPECT_NEAR(Length(circle->InterpPiece3D(0, 0, 0, 0.5f)), 10.0f, 0.01f);
}

TEST(SimpleShapeGeometry, RectangleLengthRunsAlongYAndWidthAlongX) {
    std::unique_ptr<SimpleShape> rect(withParams(new RectangleObject(), {10.0f, 4.0f}));
    BezierShape out;
    rect->MakeBezier(0, out);
    EXPECT_EQ(out.GetSpline(0)->GetKnotPoint(0), Point3(2.0f, -5.0f, 0.0f));
    EXPECT_EQ(out.GetSpline(0)->GetKnotPoint(2), Point3(-2.0f, 5.0f, 0.0f));
    EXPECT_NEAR(rect->LengthOfCurve(0, 0), 28.0f, 1e-3f) << "straight sides";
}

TEST(SimpleShapeGeometry, ParametersOutsideTheLimitsBuildTheNearestOutline) {
    std::unique_ptr<SimpleShape> ngon(withParams(new NGonObject(), {-4.0f, 2.0f}));
    EXPECT_EQ(ngon->NumberOfVertices(0), SIMPLE_SHAPE_MIN_COUNT) << "a polygon has at least three sides";
    EXPECT_EQ(ngon->LengthOfCurve(0, 0), 0.0f) << "a negative radius builds as 0";
    std::unique_ptr<SimpleShape> star(withParams(new StarObject(), {1.0f, 1.0f, 1e6f}));
    EXPECT_EQ(star->NumberOfVertices(0), 2 * SIMPLE_SHAPE_MAX_COUNT);
}

TEST(SimpleShapeAnimation, KeyedRadiusGivesAnotherOutlineAtEveryTimeAndNarrowsItsOwnValidity) {
    std::unique_ptr<SimpleShape> circle(new CircleObject());
    circle->pblock->SetKeys(PB_CIRCLE_RADIUS, {{0, 10.0f}, {4800, 20.0f}});
    EXPECT_NEAR(Length(circle->InterpCurve3D(2400, 0, 0.0f)), 15.0f, DISTANCE_TOLERANCE);
    EXPECT_NEAR(Length(circle->InterpCurve3D(9600, 0, 0.0f)), 20.0f, DISTANCE_TOLERANCE);
    EXPECT_EQ(circle->ObjectValidity(2400), Interval(2400, 2400));
    EXPECT_EQ(circle->ObjectValidity(9600), Interval(4800, TIME_PosInfinity));
}

TEST(SimpleShapeAnimation, CloneOwnsACopyOfTheParameters) {
    std::unique_ptr<SimpleShape> star(withParams(new StarObject(), {9.0f, 4.0f, 5.0f}));
    RemapDir remap;
    std::unique_ptr<SimpleShape> clone(static_cast<SimpleShape*>(star->Clone(remap)));
    ASSERT_NE(clone->pblock, star->pblock);
    star->pblock->SetValue(PB_STAR_POINTS, 0, 7);
    EXPECT_EQ(clone->NumberOfVertices(0), 10);
    EXPECT_EQ(star->NumberOfVertices(0), 14);
}

// The trellis object narrows its cache by node transforms alone; the
// primitive reaches it through the change message of its parameter block.
TEST(SimpleShapeAsSection, ParameterChangeMakesTheCageStaleAndItsRebuildFollows) {
    CageScene s;
    CircleObject* circle = new CircleObject();
    circle->pblock->SetValue(PB_CIRCLE_RADIUS, 0, 5.0f);
    s.setSections({s.addNode("Ring", circle), s.addNode("Top", withParams(new CircleObject(), {5.0f}),
                                                         Point3(0.0f, 0.0f, 10.0f))});
    EXPECT_NEAR(s.cage().GetSpline(0)->GetKnotPoint(0).x, 5.0f, DISTANCE_TOLERANCE);
    EXPECT_EQ(s.obj->shapeValid, FOREVER);

    circle->pblock->SetValue(PB_CIRCLE_RADIUS, 0, 8.0f);
    EXPECT_EQ(s.obj->shapeValid, NEVER) << "the change message reached the trellis object";
    EXPECT_NEAR(s.cage().GetSpline(0)->GetKnotPoint(0).x, 8.0f, DISTANCE_TOLERANCE);
    EXPECT_EQ(s.cage().SplineCount(), 2 + 4) << "two circles of four knots: four ribs";
}

TEST(SimpleShapeAsSection, KeyedRadiusLeavesTheCageValidForeverUnderStillNodes) {
    CageScene s;
    CircleObject* circle = new CircleObject();
    circle->pblock->SetKeys(PB_CIRCLE_RADIUS, {{0, 10.0f}, {4800, 20.0f}});
    s.setSections({s.addNode("Ring", circle)});
    EXPECT_NEAR(s.cage(2400).GetSpline(0)->GetKnotPoint(0).x, 15.0f, DISTANCE_TOLERANCE);
    EXPECT_EQ(s.obj->shapeValid, FOREVER);
}

}  // namespace
