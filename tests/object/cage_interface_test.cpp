// What the object publishes to its host: the cage interface reached by its
// id, and the joins the build records pair by pair as it decides them.
#include "support/cage_fixture.h"

namespace {

ITrellisCage& cageOf(TrellisObject& obj) {
    return *static_cast<ITrellisCage*>(obj.GetInterface(I_TRELLIS_CAGE));
}

// A shape whose first spline has no knots: gathered as an empty copy.
SplineShape* knotlessSpline() {
    SplineShape* shape = new SplineShape();
    shape->shape.NewSpline();
    return shape;
}

struct Join {
    int join, links, firstLink;
    bool operator==(const Join& o) const { return join == o.join && links == o.links && firstLink == o.firstLink; }
};
std::ostream& operator<<(std::ostream& os, const Join& j) {
    return os << "{join " << j.join << ", links " << j.links << ", first " << j.firstLink << "}";
}

std::vector<Join> joinsOf(TrellisObject& obj) {
    std::vector<Join> joins;
    ITrellisCage& cage = cageOf(obj);
    for (int k = 0; k < cage.CagePairCount(); ++k) {
        TrellisPairJoin j = cage.CagePairJoin(k);
        joins.push_back({j.join, j.links, j.firstLink});
    }
    return joins;
}

TEST(CageInterface, ReachedByItsIdOnly) {
    TrellisObject* obj = new TrellisObject();
    EXPECT_NE(obj->GetInterface(I_TRELLIS_CAGE), nullptr);
    EXPECT_EQ(obj->GetInterface(I_TRELLIS_CAGE + 1), nullptr);
    EXPECT_EQ(obj->GetInterface(0), nullptr);
    ITrellisCage& cage = cageOf(*obj);
    EXPECT_EQ(cage.CageSectionCopies(), 0) << "nothing built yet";
    EXPECT_EQ(cage.CagePairCount(), 0);
    EXPECT_EQ(cage.CageValidity(), NEVER);
    obj->DeleteThis();
}

TEST(CageInterface, MatchingSectionsAreRecordedAsRibs) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(ring(4, 10.0f), true)),
                   s.addNode("B", makeSplineShape(ring(4, 20.0f), true), Point3(0.0f, 0.0f, 10.0f)),
                   s.addNode("C", makeSplineShape(ring(4, 10.0f), true), Point3(0.0f, 0.0f, 20.0f))});
    s.cage();
    EXPECT_EQ(cageOf(*s.obj).CageSectionCopies(), 3);
    EXPECT_EQ(cageOf(*s.obj).CageValidity(), FOREVER);
    EXPECT_EQ(joinsOf(*s.obj), (std::vector<Join>{{TRELLIS_JOIN_RIBS, 4, -1}, {TRELLIS_JOIN_RIBS, 4, -1}}));
}

// Each pair's links are the stretch of the link table it names, in pair order.
TEST(CageInterface, UnlikePairsRecordHowAndWhereTheirLinksLie) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(row(4, 0.0f), false)),
                   s.addNode("B", makeSplineShape(row(4, 0.0f), true), Point3(0.0f, 0.0f, 10.0f)),
                   s.addNode("C", makeSplineShape(row(4, 0.0f), true), Point3(0.0f, 0.0f, 20.0f)),
                   s.addNode("D", makeSplineShape(row(6, 0.0f, 6.0f), true), Point3(0.0f, 0.0f, 30.0f)),
                   s.addNode("E", knotlessSpline(), Point3(0.0f, 0.0f, 40.0f))});
    s.cage();
    std::vector<Join> joins = joinsOf(*s.obj);
    ASSERT_EQ(joins.size(), 4u);
    EXPECT_EQ(joins[0], (Join{TRELLIS_JOIN_CLOSING_LINK, 5, 0}));
    EXPECT_EQ(joins[1], (Join{TRELLIS_JOIN_KNOT_BY_KNOT, 4, 5}));
    EXPECT_EQ(joins[2].join, TRELLIS_JOIN_ARC_LENGTH);
    EXPECT_EQ(joins[2].firstLink, 9);
    EXPECT_EQ(joins[3], (Join{TRELLIS_JOIN_NONE, 0, joins[2].firstLink + joins[2].links})) << "E has no knots";
    int total = 0;
    for (const Join& j : joins) total += j.links;
    EXPECT_EQ(total, cageOf(*s.obj).CageLinkCount());
}

// A section without a spline ends the build before the connecting phase:
// every pair so far is "not joined", whatever stale tables remain.
TEST(CageInterface, AnEndedBuildRecordsEveryPairAsNotJoined) {
    CageScene s;
    INode* a = s.addNode("A", makeSplineShape(row(4, 0.0f), false));
    INode* b = s.addNode("B", makeSplineShape(row(5, 0.0f), false), Point3(0.0f, 0.0f, 10.0f));
    s.setSections({a, b});
    s.cage();
    ASSERT_GT(cageOf(*s.obj).CageLinkCount(), 0) << "a links build left its tables";
    s.setSection(3, s.addNode("Empty", new SplineShape(), Point3(0.0f, 0.0f, 20.0f)));
    s.cage();
    EXPECT_EQ(cageOf(*s.obj).CageSectionCopies(), 3);
    EXPECT_EQ(joinsOf(*s.obj), (std::vector<Join>{{TRELLIS_JOIN_NOT_JOINED, 0, -1}, {TRELLIS_JOIN_NOT_JOINED, 0, -1}}));
}

TEST(CageInterface, EmptyFirstSlotGathersNothing) {
    CageScene s;
    s.setSection(2, s.addNode("B", makeSplineShape(row(4, 0.0f), false)));
    s.cage();
    EXPECT_EQ(cageOf(*s.obj).CageSectionCopies(), 0);
    EXPECT_EQ(cageOf(*s.obj).CagePairCount(), 0);
}

}  // namespace
