// Ribs through matching sections.
#include "support/cage_fixture.h"

namespace {

const float kTol = 1e-4f;

TEST(Ribs, TwoClosedSectionsOfFourKnots) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(ring(4, 5.0f), true)),
                   s.addNode("B", makeSplineShape(ring(4, 5.0f), true), Point3(0.0f, 0.0f, 10.0f))});
    const BezierShape& cage = s.cage();
    ASSERT_EQ(cage.SplineCount(), 6);
    for (int r = 2; r < 6; ++r) {
        EXPECT_EQ(cage.GetSpline(r)->KnotCount(), 2) << "rib " << r;
        EXPECT_FALSE(cage.GetSpline(r)->Closed()) << "rib " << r;
    }
}

TEST(Ribs, KnotJOfRibRLiesAtKnotROfCopyJ) {
    CageScene s;
    std::vector<INode*> nodes;
    for (int j = 0; j < 3; ++j)
        nodes.push_back(s.addNode("S" + std::to_string(j), makeSplineShape(row(5, 0.0f), false),
                                  Point3(0.0f, 3.0f * static_cast<float>(j), 7.0f * static_cast<float>(j))));
    s.setSections(nodes);
    const BezierShape& cage = s.cage();
    ASSERT_EQ(cage.SplineCount(), 3 + 5);
    for (int r = 0; r < 5; ++r)
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(cage.GetSpline(3 + r)->GetKnotPoint(j), cage.GetSpline(j)->GetKnotPoint(r))
                << "rib " << r << " knot " << j;
    for (int i = 0; i < cage.SplineCount(); ++i)
        for (int k = 0; k < cage.GetSpline(i)->KnotCount(); ++k)
            EXPECT_EQ(cage.GetSpline(i)->GetLineType(k), LTYPE_CURVE);
}

TEST(Ribs, EqualCountsWithDifferentClosureTakeTheLinksRoad) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(ring(4, 5.0f), true)),
                   s.addNode("B", makeSplineShape(ring(4, 5.0f), false), Point3(0.0f, 0.0f, 10.0f))});
    s.cage();
    EXPECT_EQ(s.obj->cageLinks.Count(), 5);
}

TEST(Ribs, OneKnotSectionsGiveOneRibThroughAll) {
    CageScene s;
    std::vector<INode*> nodes;
    for (int j = 0; j < 4; ++j)
        nodes.push_back(s.addNode("S" + std::to_string(j), makeSplineShape({Point3(1.0f, 2.0f, 0.0f)}, false),
                                  Point3(0.0f, 0.0f, 5.0f * static_cast<float>(j))));
    s.setSections(nodes);
    const BezierShape& cage = s.cage();
    ASSERT_EQ(cage.SplineCount(), 5);
    EXPECT_EQ(cage.GetSpline(4)->KnotCount(), 4);
}

TEST(Ribs, KnotlessSectionsGiveOnlyTheCopies) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape({}, false)), s.addNode("B", makeSplineShape({}, false))});
    EXPECT_EQ(s.cage().SplineCount(), 2);
}

TEST(Ribs, EmptySlotsBetweenSectionsDoNotBreakARib) {
    CageScene s;
    s.setSection(1, s.addNode("A", makeSplineShape(row(3, 0.0f), false)));
    s.setSection(4, s.addNode("B", makeSplineShape(row(3, 0.0f), false), Point3(0.0f, 0.0f, 10.0f)));
    const BezierShape& cage = s.cage();
    ASSERT_EQ(cage.SplineCount(), 2 + 3);
    EXPECT_EQ(cage.GetSpline(2)->KnotCount(), 2);
}

TEST(Ribs, RibsTakeKnotPointsNotHandles) {
    auto ribsOf = [](int handleOffset) {
        CageScene s;
        std::vector<INode*> nodes;
        for (int j = 0; j < 2; ++j) {
            SplineShape* shape = new SplineShape();
            Spline3D* sp = shape->shape.NewSpline();
            for (int k = 0; k < 3; ++k) {
                Point3 p(10.0f * static_cast<float>(k), 0.0f, 0.0f);
                Point3 h(0.0f, static_cast<float>(handleOffset), 0.0f);
                sp->AddKnot(SplineKnot(KTYPE_BEZIER, LTYPE_CURVE, p, p - h, p + h));
            }
            nodes.push_back(s.addNode("S" + std::to_string(j), shape, Point3(0.0f, 0.0f, 10.0f * static_cast<float>(j))));
        }
        s.setSections(nodes);
        std::vector<Point3> pts;
        const BezierShape& cage = s.cage();
        for (int i = 2; i < cage.SplineCount(); ++i)
            for (int k = 0; k < cage.GetSpline(i)->KnotCount(); ++k) pts.push_back(cage.GetSpline(i)->GetKnotPoint(k));
        return pts;
    };
    EXPECT_EQ(ribsOf(1), ribsOf(7));
}

struct StyleCase {
    int splineType;
    int knotType;
};

class RibStyle : public ::testing::TestWithParam<StyleCase> {};

TEST_P(RibStyle, SplineTypeChoosesTheRibKnotType) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(row(3, 0.0f), false)),
                   s.addNode("B", makeSplineShape(row(3, 0.0f), false), Point3(0.0f, 5.0f, 10.0f)),
                   s.addNode("C", makeSplineShape(row(3, 0.0f), false), Point3(0.0f, 0.0f, 20.0f))});
    s.setSplineType(GetParam().splineType);
    const BezierShape& cage = s.cage();
    ASSERT_EQ(cage.SplineCount(), 6);
    for (int r = 3; r < 6; ++r)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(cage.GetSpline(r)->GetKnotType(k), GetParam().knotType);
}

INSTANTIATE_TEST_SUITE_P(Values, RibStyle,
                         ::testing::Values(StyleCase{0, KTYPE_CORNER}, StyleCase{1, KTYPE_AUTO},
                                           StyleCase{2, KTYPE_BEZIER}, StyleCase{3, KTYPE_BEZIER_CORNER},
                                           StyleCase{7, KTYPE_CORNER}, StyleCase{-1, KTYPE_CORNER}),
                         [](const ::testing::TestParamInfo<StyleCase>& p) {
                             return "SplineType" + std::to_string(p.index);
                         });

// Bezier ribs are made automatic first, so they start with the smooth
// handles an automatic rib gets, not with handles lying on their knots.
TEST(Ribs, BezierRibsStartWithSmoothHandles) {
    auto middleHandle = [](int splineType) {
        CageScene s;
        s.setSections({s.addNode("A", makeSplineShape(row(2, 0.0f), false)),
                       s.addNode("B", makeSplineShape(row(2, 0.0f), false), Point3(0.0f, 8.0f, 10.0f)),
                       s.addNode("C", makeSplineShape(row(2, 0.0f), false), Point3(0.0f, 0.0f, 20.0f))});
        s.setSplineType(splineType);
        return s.cage().GetSpline(3)->GetOutVec(1);
    };
    Point3 smooth = middleHandle(1);
    EXPECT_EQ(middleHandle(2), smooth);
    EXPECT_EQ(middleHandle(3), smooth);
    EXPECT_NE(smooth, Point3(0.0f, 8.0f, 10.0f));
}

TEST(Ribs, RibsRoadLeavesTheLinkTablesOfTheLastLinksBuild) {
    CageScene s;
    INode* a = s.addNode("A", makeSplineShape(row(3, 0.0f), false));
    INode* b = s.addNode("B", makeSplineShape(row(4, 0.0f), false), Point3(0.0f, 0.0f, 10.0f));
    s.setSections({a, b});
    s.cage();
    int links = s.obj->cageLinks.Count();
    ASSERT_GT(links, 0);
    s.setSection(2, s.addNode("C", makeSplineShape(row(3, 0.0f), false), Point3(0.0f, 0.0f, 10.0f)));
    EXPECT_EQ(s.cage().SplineCount(), 2 + 3);
    EXPECT_EQ(s.obj->cageLinks.Count(), links);
}

}  // namespace
