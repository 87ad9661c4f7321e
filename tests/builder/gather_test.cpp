// Section gathering: which splines become copies, and where they land.
#include "support/cage_fixture.h"

namespace {

const float kTol = 1e-4f;

TEST(Gathering, SingleSectionKeepsItsOwnCoordinates) {
    CageScene s;
    INode* a = s.addNode("A", makeSplineShape(row(3, 0.0f), false), Point3(5.0f, -7.0f, 3.0f));
    TMKey key;
    key.position = Point3(5.0f, -7.0f, 3.0f);
    key.rotation = Point3(10.0f, 20.0f, 30.0f);
    a->GetTMController()->SetStatic(key);
    s.setSection(1, a);
    const BezierShape& cage = s.cage();
    ASSERT_EQ(cage.SplineCount(), 1);
    std::vector<Point3> pts = row(3, 0.0f);
    for (int i = 0; i < 3; ++i) expectNear(cage.GetSpline(0)->GetKnotPoint(i), pts[i], kTol, "knot " + std::to_string(i));
}

TEST(Gathering, EmptySlotsLeaveNoGap) {
    CageScene s;
    INode* a = s.addNode("A", makeSplineShape(row(2, 0.0f), false));
    INode* b = s.addNode("B", makeSplineShape(row(3, 0.0f), true), Point3(0.0f, 0.0f, 10.0f));
    s.setSection(1, a);
    s.setSection(5, b);
    const BezierShape& cage = s.cage();
    ASSERT_GE(cage.SplineCount(), 2);
    EXPECT_EQ(cage.GetSpline(0)->KnotCount(), 2);
    EXPECT_EQ(cage.GetSpline(1)->KnotCount(), 3);
    EXPECT_TRUE(cage.GetSpline(1)->Closed());
    expectNear(cage.GetSpline(1)->GetKnotPoint(0), Point3(0.0f, 0.0f, 10.0f), kTol, "slot 5 copy");
}

TEST(Gathering, EmptyFirstSlotBuildsNothing) {
    CageScene s;
    s.setSection(2, s.addNode("A", makeSplineShape(row(3, 0.0f), false)));
    s.setSection(3, s.addNode("B", makeSplineShape(row(3, 0.0f), false)));
    EXPECT_EQ(s.cage().SplineCount(), 0);
}

TEST(Gathering, OnlyTheFirstSplineOfASectionIsCopied) {
    CageScene s;
    SplineShape* multi = makeSplineShape(row(2, 0.0f), false);
    for (int extra = 0; extra < 2; ++extra) {
        Spline3D* sp = multi->shape.NewSpline();
        for (int k = 0; k < 5; ++k) sp->AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_CURVE, Point3(k, extra, 0), Point3(k, extra, 0), Point3(k, extra, 0)));
        sp->ComputeBezPoints();
    }
    s.setSection(1, s.addNode("A", multi));
    ASSERT_EQ(s.cage().SplineCount(), 1);
    EXPECT_EQ(s.cage().GetSpline(0)->KnotCount(), 2);
}

TEST(Gathering, PolylineOnlySectionGivesTheKnotsOfItsConversion) {
    CageScene s;
    LinearShape* lines = new LinearShape();
    PolyLine& line = lines->shape.NewLine();
    for (const Point3& p : ring(6, 4.0f)) line.Append(PolyPt(p));
    line.Close();
    s.setSection(1, s.addNode("A", lines));
    const BezierShape& cage = s.cage();
    ASSERT_EQ(cage.SplineCount(), 1);
    EXPECT_EQ(cage.GetSpline(0)->KnotCount(), 6);
    EXPECT_TRUE(cage.GetSpline(0)->Closed());
}

TEST(Gathering, CopiesKeepKnotTypesButAlwaysCurveLines) {
    CageScene s;
    SplineShape* shape = new SplineShape();
    Spline3D* sp = shape->shape.NewSpline();
    int types[4] = {KTYPE_AUTO, KTYPE_CORNER, KTYPE_BEZIER, KTYPE_BEZIER_CORNER};
    for (int k = 0; k < 4; ++k) {
        Point3 p(10.0f * static_cast<float>(k), static_cast<float>(k % 2), 0.0f);
        sp->AddKnot(SplineKnot(types[k], LTYPE_LINE, p, p - Point3(1, 0, 0), p + Point3(1, 0, 0)));
    }
    sp->ComputeBezPoints();
    s.setSection(1, s.addNode("A", shape));
    const Spline3D* copy = s.cage().GetSpline(0);
    ASSERT_EQ(copy->KnotCount(), 4);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(copy->GetKnotType(k), types[k]) << "knot " << k;
        EXPECT_EQ(copy->GetLineType(k), LTYPE_CURVE) << "knot " << k;
        SplineKnot knot = copy->GetKnot(k);
        for (int a = 0; a < 9; ++a) EXPECT_EQ(knot.Aux(a), -1);
        EXPECT_EQ(knot.Flags(), 0u);
    }
    // Bezier knots keep their transformed handles.
    expectNear(copy->GetOutVec(2), Point3(21.0f, 0.0f, 0.0f), kTol, "bezier out handle");
}

TEST(Gathering, HiddenSectionsAreCopied) {
    CageScene s;
    INode* a = s.addNode("A", makeSplineShape(row(3, 0.0f), false));
    INode* b = s.addNode("B", makeSplineShape(row(3, 5.0f), false));
    b->Hide(TRUE);
    s.setSections({a, b});
    EXPECT_EQ(s.cage().SplineCount(), 2 + 3);
}

TEST(Gathering, SectionWithoutASplineEndsTheBuildWithItsEmptyCopy) {
    CageScene s;
    INode* a = s.addNode("A", makeSplineShape(row(3, 0.0f), false));
    INode* empty = s.addNode("Empty", new SplineShape());
    INode* c = s.addNode("C", makeSplineShape(row(3, 9.0f), false));
    s.setSections({a, empty, c});
    const BezierShape& cage = s.cage();
    ASSERT_EQ(cage.SplineCount(), 2);
    EXPECT_EQ(cage.GetSpline(0)->KnotCount(), 3);
    EXPECT_EQ(cage.GetSpline(1)->KnotCount(), 0);
    EXPECT_FALSE(cage.GetSpline(1)->Closed());
}

// A section that evaluates to a mesh is never handed to the shape operations:
// it ends the build like a section without a spline.
TEST(Gathering, SectionThatIsNoShapeEndsTheBuild) {
    CageScene s;
    INode* a = s.addNode("A", makeSplineShape(row(3, 0.0f), false));
    INode* mesh = s.addNode("Mesh", new TriObject());
    INode* c = s.addNode("C", makeSplineShape(row(3, 9.0f), false));
    s.setSections({a, mesh, c});
    const BezierShape& cage = s.cage();
    ASSERT_EQ(cage.SplineCount(), 2);
    EXPECT_EQ(cage.GetSpline(1)->KnotCount(), 0);
}

TEST(Gathering, SectionWithoutKnotsKeepsItsClosureAndGatheringGoesOn) {
    CageScene s;
    SplineShape* bare = new SplineShape();
    bare->shape.NewSpline()->SetClosed(1);
    INode* a = s.addNode("A", makeSplineShape(row(3, 0.0f), false));
    s.setSections({a, s.addNode("Bare", bare), s.addNode("C", makeSplineShape(row(3, 9.0f), false))});
    const BezierShape& cage = s.cage();
    ASSERT_GE(cage.SplineCount(), 3);
    EXPECT_EQ(cage.GetSpline(1)->KnotCount(), 0);
    EXPECT_TRUE(cage.GetSpline(1)->Closed());
    EXPECT_EQ(cage.GetSpline(2)->KnotCount(), 3);
    // The pairs with the bare copy give no links: no knot it lacks is read.
    EXPECT_EQ(s.obj->cageLinks.Count(), 0);
    EXPECT_EQ(cage.SplineCount(), 3);
}

// Each copy goes through its section's transform and then the inverse of the
// first section's: moving the first section moves every other copy back.
TEST(Gathering, MovingTheFirstSectionMovesTheOthersInversely) {
    CageScene s;
    INode* a = s.addNode("A", makeSplineShape(row(3, 0.0f), false));
    INode* b = s.addNode("B", makeSplineShape(row(3, 0.0f), false), Point3(0.0f, 0.0f, 20.0f));
    s.setSections({a, b});
    Point3 ownBefore = s.cage().GetSpline(0)->GetKnotPoint(1);
    Point3 otherBefore = s.cage().GetSpline(1)->GetKnotPoint(1);

    TMKey moved;
    moved.position = Point3(3.0f, 4.0f, 5.0f);
    a->GetTMController()->SetStatic(moved);
    expectNear(s.cage().GetSpline(0)->GetKnotPoint(1), ownBefore, kTol, "own copy");
    expectNear(s.cage().GetSpline(1)->GetKnotPoint(1), otherBefore - Point3(3.0f, 4.0f, 5.0f), kTol, "other copy");

    TMKey turned;
    turned.rotation = Point3(0.0f, 0.0f, 90.0f);
    a->GetTMController()->SetStatic(turned);
    // The second section's knot (10, 0, 20) seen from a frame turned 90 degrees about Z.
    expectNear(s.cage().GetSpline(1)->GetKnotPoint(1), Point3(0.0f, -10.0f, 20.0f), kTol, "turned frame");
}

}  // namespace
