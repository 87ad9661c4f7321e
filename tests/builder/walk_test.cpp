// The two pure walks of the links road: fraction tables in, entry pairs out;
// link records in, chain splines out.
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <vector>
#include "builder/fraction_walk.h"
#include "builder/link_chains.h"

namespace {

Tab<float> table(std::vector<float> values) {
    Tab<float> t;
    for (float v : values) t.Append(1, &v, 1);
    return t;
}

struct WalkCase {
    const char* name;
    std::vector<float> fL, fS;
    EntryPairs expected;
};

class FractionWalk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(FractionWalk, PairsEveryLongerEntryOnceInOrder) {
    const WalkCase& c = GetParam();
    EXPECT_EQ(walkFractions(table(c.fL), table(c.fS)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FractionWalk,
    ::testing::Values(
        // Exact ties at 0.25 and 0.75 keep the shorter index where it is.
        WalkCase{"TiesStay", {0, 0.25f, 0.5f, 0.75f, 1}, {0, 0.5f, 1}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
        WalkCase{"HalfTie", {0, 0.5f, 1}, {0, 1}, {{0, 0}, {1, 0}, {2, 1}}},
        // The shorter copy's last knot gets no link at all.
        WalkCase{"ShorterKnotSkipped", {0, 0.2f, 0.4f, 0.6f, 0.8f, 1}, {0, 0.9f, 0.95f, 1},
                 {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 2}}},
        // Open 4 against closed 3 with its wrap entry: both have four entries.
        WalkCase{"WrapEntryMatchesLastKnot", {0, 1.0f / 3, 2.0f / 3, 1}, {0, 1.0f / 3, 2.0f / 3, 1},
                 {{0, 0}, {1, 1}, {2, 2}, {3, 3}}}),
    [](const ::testing::TestParamInfo<WalkCase>& p) { return std::string(p.param.name); });

TEST(FractionWalk, NotANumberNeverAdvances) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EntryPairs pairs = walkFractions(table({0, 0.3f, 0.6f, 1}), table({nan, 1, 1}));
    for (const auto& p : pairs) EXPECT_EQ(p.second, 0) << "entry " << p.first;
    EXPECT_EQ(pairs.size(), 4u);
}

TEST(FractionWalk, EmptyShorterTableGivesNoPairs) {
    EXPECT_TRUE(walkFractions(table({0, 1}), table({})).empty());
}

// --- Chains -------------------------------------------------------------------

Tab<Point3> points(int count) {
    Tab<Point3> t;
    for (int i = 0; i < count; ++i) {
        Point3 p(static_cast<float>(i), static_cast<float>(i * i), 0.0f);
        t.Append(1, &p, 1);
    }
    return t;
}

Tab<CageLink> links(std::vector<std::pair<int, int>> ends) {
    Tab<CageLink> t;
    for (auto e : ends) {
        CageLink l{e.first, e.second, 0};
        t.Append(1, &l, 1);
    }
    return t;
}

// Each chain as the list of cage point indices its knots lie on.
std::vector<std::vector<int>> chainsOf(const BezierShape& shape, const Tab<Point3>& pts) {
    std::vector<std::vector<int>> chains;
    for (int s = 0; s < shape.SplineCount(); ++s) {
        std::vector<int> chain;
        const Spline3D* spline = shape.GetSpline(s);
        for (int k = 0; k < spline->KnotCount(); ++k) {
            int found = -1;
            for (int i = 0; i < pts.Count() && found < 0; ++i)
                if (pts[i] == spline->GetKnotPoint(k)) found = i;
            chain.push_back(found);
        }
        chains.push_back(chain);
    }
    return chains;
}

struct ChainCase {
    const char* name;
    std::vector<std::pair<int, int>> links;
    std::vector<std::vector<int>> chains;
};

class ChainWalk : public ::testing::TestWithParam<ChainCase> {};

TEST_P(ChainWalk, FollowsLinksForwardInTableOrder) {
    const ChainCase& c = GetParam();
    Tab<Point3> pts = points(9);
    Tab<CageLink> table = links(c.links);
    BezierShape shape;
    walkChains(table, pts, shape, KTYPE_CORNER);
    EXPECT_EQ(chainsOf(shape, pts), c.chains);
    for (int i = 0; i < table.Count(); ++i) EXPECT_EQ(table[i].used, 1) << "link " << i;
    for (int s = 0; s < shape.SplineCount(); ++s) EXPECT_FALSE(shape.GetSpline(s)->Closed());
}

// P = 0, Q = 1, R = 2, S = 3, X = 4.
INSTANTIATE_TEST_SUITE_P(
    Cases, ChainWalk,
    ::testing::Values(ChainCase{"NoLinks", {}, {}},
                      ChainCase{"OneLink", {{0, 1}}, {{0, 1}}},
                      ChainCase{"ForwardJoin", {{0, 1}, {1, 2}}, {{0, 1, 2}}},
                      // A chain never grows backwards at its start.
                      ChainCase{"NeverBackwards", {{1, 2}, {0, 1}}, {{1, 2}, {0, 1}}},
                      ChainCase{"BranchStartsItsOwnSpline", {{0, 1}, {1, 2}, {1, 3}}, {{0, 1, 2}, {1, 3}}},
                      ChainCase{"CycleEndsOnItsStart", {{0, 1}, {1, 2}, {2, 0}}, {{0, 1, 2, 0}}},
                      ChainCase{"SelfLink", {{4, 4}}, {{4, 4}}},
                      ChainCase{"SelfLinkContinues", {{0, 4}, {4, 4}, {4, 1}}, {{0, 4, 4, 1}}},
                      // Copies D (0..2, open), E (3..5) and F (6..8), both closed.
                      ChainCase{"ThreeCopiesDEF",
                                {{0, 3}, {1, 4}, {2, 5}, {2, 3}, {3, 6}, {4, 7}, {5, 8}},
                                {{0, 3, 6}, {1, 4, 7}, {2, 5, 8}, {2, 3}}}),
    [](const ::testing::TestParamInfo<ChainCase>& p) { return std::string(p.param.name); });

TEST(ChainWalk, KnotStyleIsAppliedToEveryKnot) {
    for (int style : {KTYPE_CORNER, KTYPE_AUTO, KTYPE_BEZIER, KTYPE_BEZIER_CORNER}) {
        Tab<Point3> pts = points(4);
        Tab<CageLink> table = links({{0, 1}, {1, 2}, {2, 3}});
        BezierShape shape;
        walkChains(table, pts, shape, style);
        ASSERT_EQ(shape.SplineCount(), 1);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(shape.GetSpline(0)->GetKnotType(k), style) << "style " << style;
    }
}

}  // namespace
