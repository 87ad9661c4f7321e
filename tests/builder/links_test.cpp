// Links between unlike sections and the chains walked from them.
#include "support/cage_fixture.h"

namespace {

struct Link {
    int from, to;
    bool operator==(const Link& o) const { return from == o.from && to == o.to; }
};
std::ostream& operator<<(std::ostream& os, const Link& l) { return os << l.from << "->" << l.to; }

std::vector<Link> linksOf(const TrellisObject& obj) {
    std::vector<Link> out;
    for (int i = 0; i < obj.cageLinks.Count(); ++i) out.push_back({obj.cageLinks[i].from, obj.cageLinks[i].to});
    return out;
}

TEST(Links, OpenFourFourFive) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(row(4, 0.0f), false)),
                   s.addNode("B", makeSplineShape(row(4, 0.0f), false), Point3(0.0f, 0.0f, 10.0f)),
                   s.addNode("C", makeSplineShape(row(5, 0.0f, 7.5f), false), Point3(0.0f, 0.0f, 20.0f))});
    const BezierShape& cage = s.cage();
    EXPECT_EQ(s.obj->cagePoints.Count(), 13);
    std::vector<Link> links = linksOf(*s.obj);
    ASSERT_EQ(links.size(), 9u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(links[i], (Link{i, 4 + i})) << "pair 0 knot " << i;
    // Pair 1 by arc length: every knot of the five-knot copy once, in order.
    for (int i = 0; i < 5; ++i) EXPECT_EQ(links[4 + i].to, 8 + i);
    EXPECT_EQ(links[4].from, 4);
    EXPECT_EQ(links[8].from, 7);
    for (int i = 0; i < s.obj->cageLinks.Count(); ++i) EXPECT_EQ(s.obj->cageLinks[i].used, 1);
    // Copies first, then the chains; every chain is open and at least two knots long.
    for (int i = 3; i < cage.SplineCount(); ++i) {
        EXPECT_GE(cage.GetSpline(i)->KnotCount(), 2);
        EXPECT_FALSE(cage.GetSpline(i)->Closed());
    }
}

struct ClosureCase {
    const char* name;
    bool firstClosed, secondClosed;
    Link extra;
};

class EqualCountsDifferentClosure : public ::testing::TestWithParam<ClosureCase> {};

TEST_P(EqualCountsDifferentClosure, OneMoreLinkJoinsClosedKnotZeroAndOpenLastKnot) {
    const ClosureCase& c = GetParam();
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(ring(4, 5.0f), c.firstClosed)),
                   s.addNode("B", makeSplineShape(ring(4, 5.0f), c.secondClosed), Point3(0.0f, 0.0f, 10.0f))});
    s.cage();
    std::vector<Link> links = linksOf(*s.obj);
    ASSERT_EQ(links.size(), 5u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(links[i], (Link{i, 4 + i}));
    EXPECT_EQ(links[4], c.extra);
}

INSTANTIATE_TEST_SUITE_P(Orders, EqualCountsDifferentClosure,
                         ::testing::Values(ClosureCase{"ClosedThenOpen", true, false, {0, 7}},
                                           ClosureCase{"OpenThenClosed", false, true, {3, 4}}),
                         [](const ::testing::TestParamInfo<ClosureCase>& p) { return std::string(p.param.name); });

struct WrapCase {
    const char* name;
    int firstKnots;
    bool firstClosed;
    int secondKnots;
    bool secondClosed;
    size_t links;
    bool lastEndsAtClosedKnotZero;
};

class WrapEntry : public ::testing::TestWithParam<WrapCase> {};

// Closed copies are regular polygons; open ones run along X with fractions
// chosen so that no step of the walk is a tie (0, .1, .4, .8, 1 for five knots).
SplineShape* wrapSection(int knots, bool closed) {
    if (closed) return makeSplineShape(ring(knots, 5.0f), true);
    std::vector<float> xs = knots == 5 ? std::vector<float>{0, 1, 4, 8, 10} : std::vector<float>{0, 4, 10};
    std::vector<Point3> pts;
    for (float x : xs) pts.emplace_back(3.0f * x, 0.0f, 0.0f);
    return makeSplineShape(pts, false);
}

TEST_P(WrapEntry, LinkCountAndTheWrapLink) {
    const WrapCase& c = GetParam();
    CageScene s;
    s.setSections({s.addNode("A", wrapSection(c.firstKnots, c.firstClosed)),
                   s.addNode("B", wrapSection(c.secondKnots, c.secondClosed), Point3(0.0f, 0.0f, 10.0f))});
    s.cage();
    std::vector<Link> links = linksOf(*s.obj);
    ASSERT_EQ(links.size(), c.links);
    if (c.lastEndsAtClosedKnotZero) {
        int closedKnotZero = c.firstClosed ? 0 : c.firstKnots;
        const Link& last = links.back();
        EXPECT_EQ(c.firstClosed ? last.from : last.to, closedKnotZero);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, WrapEntry,
    ::testing::Values(WrapCase{"ClosedThreeOpenFive", 3, true, 5, false, 5, true},
                      WrapCase{"OpenFiveClosedThree", 5, false, 3, true, 5, true},
                      WrapCase{"ClosedFiveOpenThree", 5, true, 3, false, 6, true},
                      WrapCase{"ClosedThreeClosedFive", 3, true, 5, true, 5, false}),
    [](const ::testing::TestParamInfo<WrapCase>& p) { return std::string(p.param.name); });

TEST(Links, EqualPointsShareTheFirstIndex) {
    CageScene s;
    // B's knot 0 lies on A's knot 2; B's knots 1 and 2 lie on one point.
    std::vector<Point3> a = {Point3(0, 0, 0), Point3(10, 0, 0), Point3(20, 0, 0)};
    std::vector<Point3> b = {Point3(20, 0, 0), Point3(30, 0, 5), Point3(30, 0, 5), Point3(40, 0, 5)};
    s.setSections({s.addNode("A", makeSplineShape(a, false)), s.addNode("B", makeSplineShape(b, false))});
    s.cage();
    EXPECT_EQ(s.obj->FindCagePoint(Point3(20, 0, 0)), 2);
    EXPECT_EQ(s.obj->FindCagePoint(Point3(30, 0, 5)), 4);
    for (const Link& l : linksOf(*s.obj)) {
        EXPECT_NE(l.to, 3) << "the end on B's knot 0 takes A's index";
        EXPECT_NE(l.to, 5) << "the end on B's knot 2 takes knot 1's index";
    }
}

TEST(Links, FindCagePointAnswersZeroWhenNothingMatches) {
    TrellisObject* obj = new TrellisObject();
    EXPECT_EQ(obj->FindCagePoint(Point3(1, 2, 3)), 0);
    Point3 p(4, 5, 6);
    obj->cagePoints.Append(1, &p, 1);
    EXPECT_EQ(obj->FindCagePoint(Point3(1, 2, 3)), 0);
    Point3 zero(0.0f, 0.0f, 0.0f);
    obj->cagePoints.Append(1, &zero, 1);
    obj->cagePoints.Append(1, &zero, 1);
    EXPECT_EQ(obj->FindCagePoint(Point3(-0.0f, 0.0f, -0.0f)), 1) << "-0.0 equals 0.0; the first of equal points wins";
    obj->DeleteThis();
}

TEST(Links, OneKnotCopyTakesEveryLinkOfItsPair) {
    for (bool closed : {false, true}) {
        CageScene s;
        s.setSections({s.addNode("One", makeSplineShape({Point3(0, 0, 0)}, false)),
                       s.addNode("Ring", makeSplineShape(ring(4, 5.0f), closed), Point3(0.0f, 0.0f, 10.0f))});
        s.cage();
        std::vector<Link> links = linksOf(*s.obj);
        EXPECT_EQ(links.size(), closed ? 5u : 4u);
        for (const Link& l : links) EXPECT_EQ(l.from, 0);
    }
}

// A copy of length 0 has not-a-number fractions, so the walk never moves off its knot 0.
TEST(Links, ZeroLengthCopyAsTheShorterGetsEveryLinkAtKnotZero) {
    CageScene s;
    std::vector<Point3> dot(3, Point3(1.0f, 1.0f, 0.0f));
    s.setSections({s.addNode("Dot", makeSplineShape(dot, false)),
                   s.addNode("Row", makeSplineShape(row(5, 0.0f), false), Point3(0.0f, 0.0f, 10.0f))});
    const BezierShape& cage = s.cage();
    std::vector<Link> links = linksOf(*s.obj);
    ASSERT_EQ(links.size(), 5u);
    for (const Link& l : links) EXPECT_EQ(l.from, 0);
    EXPECT_GT(cage.SplineCount(), 2);
}

TEST(Links, ChainsJoinLinksOfDifferentPairsAtSharedPoints) {
    CageScene s;
    // Three open copies of 2, 3 and 2 knots stacked so links meet at the middle copy.
    s.setSections({s.addNode("A", makeSplineShape(row(2, 0.0f, 20.0f), false)),
                   s.addNode("B", makeSplineShape(row(3, 0.0f), false), Point3(0.0f, 0.0f, 10.0f)),
                   s.addNode("C", makeSplineShape(row(2, 0.0f, 20.0f), false), Point3(0.0f, 0.0f, 20.0f))});
    const BezierShape& cage = s.cage();
    int knotsInChains = 0;
    for (int i = 3; i < cage.SplineCount(); ++i) knotsInChains += cage.GetSpline(i)->KnotCount();
    // Every link is one segment of one chain: knots = links + chains.
    EXPECT_EQ(knotsInChains, s.obj->cageLinks.Count() + (cage.SplineCount() - 3));
    EXPECT_LT(cage.SplineCount() - 3, s.obj->cageLinks.Count()) << "some links were joined into longer chains";
}

}  // namespace
