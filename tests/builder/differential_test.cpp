// The fast links road (point index, per-point link queues, fraction tables
// measured once per copy) against the straightforward oracle, on fixed-seed
// random inputs: cage points, link records and output splines must agree
// bit for bit.
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include "support/cage_fixture.h"
#include "support/oracle_links.h"
#include "builder/cage_point_index.h"
#include "builder/link_chains.h"
#include "builder/link_sections.h"

namespace {

const float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();

// mt19937 is defined to the bit; the draws below use plain modulo so they
// do not depend on a library's distribution classes either.
class Draw {
public:
    explicit Draw(unsigned seed) : rng(seed) {}
    int below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    // Small integers, so that independent draws often coincide exactly.
    float coordinate() { return static_cast<float>(below(7) - 3) * 0.5f; }
    // Mostly ordinary coordinates; now and then a signed zero, an infinity or a not-a-number.
    float specialOrNot() {
        switch (below(12)) {
            case 0: return -0.0f;
            case 1: return 0.0f;
            case 2: return kNaN;
            case 3: return below(2) ? kInf : -kInf;
            default: return coordinate();
        }
    }
    Point3 point(bool specials) {
        if (!specials) return Point3(coordinate(), coordinate(), coordinate());
        return Point3(specialOrNot(), specialOrNot(), specialOrNot());
    }

private:
    std::mt19937 rng;
};

const int kKnotTypes[] = {KTYPE_AUTO, KTYPE_CORNER, KTYPE_BEZIER, KTYPE_BEZIER_CORNER};

// One copy as gathering leaves it: curve line types, the source's knot
// types, Bezier points computed. Knots are drawn from a small pool, so
// points repeat within the copy and across copies.
void addCopy(BezierShape& shape, Draw& draw, const std::vector<Point3>& pool, int knots, bool closed) {
    Spline3D* copy = shape.NewSpline(KTYPE_CORNER, KTYPE_BEZIER, PARM_UNIFORM);
    bool atOnePoint = draw.chance(10);  // zero length: every knot and handle at one point
    Point3 only = pool[draw.below(static_cast<int>(pool.size()))];
    for (int i = 0; i < knots; ++i) {
        Point3 p = atOnePoint ? only : (draw.chance(40) ? pool[draw.below(static_cast<int>(pool.size()))]
                                                        : draw.point(draw.chance(15)));
        int type = atOnePoint ? KTYPE_CORNER : kKnotTypes[draw.below(4)];
        Point3 in = p + draw.point(false), out = p + draw.point(false);
        copy->AddKnot(SplineKnot(type, LTYPE_CURVE, p, in, out, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0), -1);
    }
    if (closed) copy->SetClosed(1);
    copy->ComputeBezPoints();
}

// Knot counts near one another (equal, one more, a few more) with now and
// then a copy of no knot or one knot; closure mixed.
BezierShape randomCopies(Draw& draw) {
    std::vector<Point3> pool;
    for (int i = 0; i < 1 + draw.below(8); ++i) pool.push_back(draw.point(draw.chance(50)));
    BezierShape shape;
    int copies = 2 + draw.below(7);
    int base = 1 + draw.below(8);
    for (int c = 0; c < copies; ++c) {
        int knots = draw.chance(8) ? draw.below(2) : base + (draw.chance(50) ? 0 : draw.below(4));
        addCopy(shape, draw, pool, knots, draw.chance(50));
    }
    return shape;
}

std::uint32_t bitsOf(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

bool sameBits(const Point3& a, const Point3& b) {
    return bitsOf(a.x) == bitsOf(b.x) && bitsOf(a.y) == bitsOf(b.y) && bitsOf(a.z) == bitsOf(b.z);
}

// Each returns the first difference found, or an empty string.
std::string pointsDiffer(const Tab<Point3>& a, const Tab<Point3>& b) {
    if (a.Count() != b.Count()) return "point counts " + std::to_string(a.Count()) + " and " + std::to_string(b.Count());
    for (int i = 0; i < a.Count(); ++i)
        if (!sameBits(a[i], b[i])) return "cage point " + std::to_string(i);
    return "";
}

std::string linksDiffer(const Tab<CageLink>& a, const Tab<CageLink>& b) {
    if (a.Count() != b.Count()) return "link counts " + std::to_string(a.Count()) + " and " + std::to_string(b.Count());
    for (int i = 0; i < a.Count(); ++i)
        if (a[i].from != b[i].from || a[i].to != b[i].to || a[i].used != b[i].used) return "link " + std::to_string(i);
    return "";
}

bool sameKnot(const SplineKnot& a, const SplineKnot& b) {
    bool same = a.Ktype() == b.Ktype() && a.Ltype() == b.Ltype() && a.Flags() == b.Flags() &&
                sameBits(a.Knot(), b.Knot()) && sameBits(a.InVec(), b.InVec()) && sameBits(a.OutVec(), b.OutVec());
    for (int i = 0; i < 9; ++i) same = same && a.Aux(i) == b.Aux(i);
    return same;
}

std::string shapesDiffer(const BezierShape& a, const BezierShape& b) {
    if (a.SplineCount() != b.SplineCount())
        return "spline counts " + std::to_string(a.SplineCount()) + " and " + std::to_string(b.SplineCount());
    for (int s = 0; s < a.SplineCount(); ++s) {
        const Spline3D& x = *a.GetSpline(s);
        const Spline3D& y = *b.GetSpline(s);
        std::string where = "spline " + std::to_string(s);
        if (x.KnotCount() != y.KnotCount() || x.Closed() != y.Closed()) return where + ": knot count or closure";
        if (x.InitialType() != y.InitialType() || x.DragType() != y.DragType() || x.Parametrization() != y.Parametrization())
            return where + ": creation types";
        for (int k = 0; k < x.KnotCount(); ++k)
            if (!sameKnot(x.GetKnot(k), y.GetKnot(k))) return where + " knot " + std::to_string(k);
    }
    return "";
}

// Leftovers of an earlier build, which both roads must clear first.
void fillWithLeftovers(Tab<Point3>& points, Tab<CageLink>& links, int count) {
    for (int i = 0; i < count; ++i) {
        Point3 p(i, i, i);
        CageLink l{i, i, 1};
        points.Append(1, &p, 1);
        links.Append(1, &l, 1);
    }
}

struct RoadResult {
    BezierShape shape;
    Tab<Point3> points;
    Tab<CageLink> links;
};

std::string roadsDiffer(const RoadResult& fast, const RoadResult& oracle) {
    for (const std::string& d : {pointsDiffer(fast.points, oracle.points), linksDiffer(fast.links, oracle.links),
                                 shapesDiffer(fast.shape, oracle.shape)})
        if (!d.empty()) return d;
    return "";
}

TEST(DifferentialLinksRoad, RandomCopiesGiveTheOraclesTablesAndSplines) {
    for (unsigned seed = 1; seed <= 600; ++seed) {
        Draw draw(seed);
        BezierShape copies = randomCopies(draw);
        int n = copies.SplineCount();
        int knotStyle = kKnotTypes[draw.below(4)];
        RoadResult fast{copies, {}, {}}, oracle{copies, {}, {}};
        fillWithLeftovers(fast.points, fast.links, draw.below(5));
        Tab<TrellisPairJoin> joins;
        linkCopies(fast.shape, n, fast.points, fast.links, joins);
        ASSERT_EQ(joins.Count(), n - 1) << "seed " << seed;
        zfree(joins);
        walkChains(fast.links, fast.points, fast.shape, knotStyle);
        oracleLinksRoad(oracle.shape, n, knotStyle, oracle.points, oracle.links);
        ASSERT_EQ(roadsDiffer(fast, oracle), "") << "seed " << seed;
    }
}

// Link tables that no links build would make: ends drawn from a few points,
// so chains branch, join, cycle and loop on one point; some records are
// already used (1, or another non-zero value) when the walk starts.
TEST(DifferentialLinksRoad, RandomLinkTablesGiveTheOraclesChains) {
    for (unsigned seed = 1; seed <= 600; ++seed) {
        Draw draw(seed);
        int pointCount = 1 + draw.below(8);
        Tab<Point3> points;
        for (int i = 0; i < pointCount; ++i) {
            Point3 p = draw.point(draw.chance(20));
            points.Append(1, &p, 1);
        }
        Tab<CageLink> links;
        for (int count = draw.below(61), i = 0; i < count; ++i) {
            int used = draw.chance(85) ? 0 : (draw.chance(70) ? 1 : 7);
            CageLink l{draw.below(pointCount), draw.below(pointCount), used};
            links.Append(1, &l, 1);
        }
        int knotStyle = kKnotTypes[draw.below(4)];
        RoadResult fast{BezierShape(), points, links}, oracle{BezierShape(), points, links};
        walkChains(fast.links, fast.points, fast.shape, knotStyle);
        oracleWalkChains(oracle.links, oracle.points, oracle.shape, knotStyle);
        ASSERT_EQ(roadsDiffer(fast, oracle), "") << "seed " << seed;
    }
}

TEST(DifferentialLinksRoad, PointIndexAnswersAsTheScan) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        Draw draw(seed);
        Tab<Point3> points;
        for (int count = draw.below(60), i = 0; i < count; ++i) {
            Point3 p = draw.point(draw.chance(60));
            points.Append(1, &p, 1);
        }
        CagePointIndex index(points);
        for (int i = 0; i < points.Count(); ++i)
            ASSERT_EQ(index.firstEqualTo(i), oracleFindCagePoint(points, points[i])) << "seed " << seed << " point " << i;
    }
}

// The object's own road: random unlike sections in a scene, built twice
// (the second build over the first one's tables), against the oracle run on
// the copies that gathering made.
TEST(DifferentialLinksRoad, ObjectBuildsGiveTheOraclesCage) {
    const int kStyleOf[] = {KTYPE_CORNER, KTYPE_AUTO, KTYPE_BEZIER, KTYPE_BEZIER_CORNER};
    for (unsigned seed = 1; seed <= 40; ++seed) {
        Draw draw(seed);
        BezierShape sources = randomCopies(draw);
        CageScene s;
        std::vector<INode*> nodes;
        for (int i = 0; i < sources.SplineCount(); ++i) {
            SplineShape* section = new SplineShape();
            *section->shape.NewSpline() = *sources.GetSpline(i);
            nodes.push_back(s.addNode("S" + std::to_string(i), section, Point3(0.0f, 0.0f, 10.0f * static_cast<float>(i))));
        }
        s.setSections(nodes);
        for (int build = 0; build < 2; ++build) {
            int splineType = draw.below(4);
            s.setSplineType(splineType);
            s.touch();
            const BezierShape& cage = s.cage();
            int n = sources.SplineCount();
            RoadResult oracle;
            for (int i = 0; i < n; ++i) *oracle.shape.NewSpline() = *cage.GetSpline(i);
            bool unlike = false;
            for (int i = 1; i < n; ++i)
                unlike = unlike || cage.GetSpline(i)->KnotCount() != cage.GetSpline(0)->KnotCount() ||
                         cage.GetSpline(i)->Closed() != cage.GetSpline(0)->Closed();
            if (!unlike) continue;  // the ribs road: not this test's business
            oracleLinksRoad(oracle.shape, n, kStyleOf[splineType], oracle.points, oracle.links);
            RoadResult fast{cage, s.obj->cagePoints, s.obj->cageLinks};
            ASSERT_EQ(roadsDiffer(fast, oracle), "") << "seed " << seed << " build " << build;
        }
    }
}

}  // namespace
