// Links between unlike sections: every knot point of every copy goes into
// cagePoints, and each pair of consecutive copies gets its link records in
// cageLinks, knot by knot for equal counts or by arc length otherwise.
#include "builder/link_sections.h"
#include <utility>
#include <vector>
#include "object/trellis_object.h"
#include "builder/cage_point_index.h"
#include "builder/fraction_walk.h"

namespace {

// The knot of a fraction-table entry: the wrap entry stands for knot 0.
int knotOfEntry(int entry, int knotCount) { return entry == knotCount ? 0 : entry; }

// Appends the knot points copy by copy and answers where each copy's knots
// start in the table, so that knot i of copy k is points[starts[k] + i].
std::vector<int> gatherCagePoints(const BezierShape& copies, int n, Tab<Point3>& points) {
    std::vector<int> starts;
    for (int s = 0; s < n; ++s) {
        starts.push_back(points.Count());
        const Spline3D* copy = copies.GetSpline(s);
        for (int i = 0; i < copy->KnotCount(); ++i) {
            Point3 p = copy->GetKnotPoint(i);
            points.Append(1, &p, 1);
        }
    }
    return starts;
}

// Appends link records between copy k and copy k + 1. A link end is the
// first index of a point equal to the knot's, which the point index holds
// for every stored point, and every knot point is stored.
class LinkWriter {
public:
    LinkWriter(const Tab<Point3>& points, std::vector<int> copyStarts, Tab<CageLink>& out)
        : index(points), starts(std::move(copyStarts)), links(out) {}
    void link(int k, int knotA, int knotB) {
        CageLink record;
        record.from = index.firstEqualTo(starts[k] + knotA);
        record.to = index.firstEqualTo(starts[k + 1] + knotB);
        record.used = 0;
        links.Append(1, &record, 1);
    }

private:
    CagePointIndex index;
    std::vector<int> starts;
    Tab<CageLink>& links;
};

// Fraction tables of the copies, each measured once per build although a
// copy between two unlike neighbours takes part in two walks; a table is
// released once the pair that last needs it is linked.
class CopyFractions {
public:
    CopyFractions(const BezierShape& shape, int n) : copies(shape), tables(n), measured(n, false) {}
    Tab<float>& of(int k) {
        if (!measured[k]) buildFractionTable(*copies.GetSpline(k), tables[k]);
        measured[k] = true;
        return tables[k];
    }
    void release(int k) { zfree(tables[k]); }

private:
    const BezierShape& copies;
    std::vector<Tab<float>> tables;
    std::vector<bool> measured;
};

// The closed copy of a pair with differing closure reaches its knot 0 again
// at 1. That wrap entry belongs to this pair alone, so it comes off the
// table again before the next pair sees it.
EntryPairs walkPair(const Spline3D& a, Tab<float>& fa, const Spline3D& b, Tab<float>& fb) {
    Tab<float>* wrapped = a.Closed() == b.Closed() ? nullptr : (a.Closed() ? &fa : &fb);
    float wrap = 1.0f;
    if (wrapped) wrapped->Append(1, &wrap, 1);
    EntryPairs pairs = a.KnotCount() > b.KnotCount() ? walkFractions(fa, fb) : walkFractions(fb, fa);
    if (wrapped) wrapped->SetCount(wrapped->Count() - 1);
    return pairs;
}

void linkByArcLength(LinkWriter& writer, CopyFractions& fractions, const Spline3D& a, int k,
                     const Spline3D& b) {
    EntryPairs pairs = walkPair(a, fractions.of(k), b, fractions.of(k + 1));
    bool aLonger = a.KnotCount() > b.KnotCount();
    for (const auto& pair : pairs) {
        int entryA = aLonger ? pair.first : pair.second;
        int entryB = aLonger ? pair.second : pair.first;
        writer.link(k, knotOfEntry(entryA, a.KnotCount()), knotOfEntry(entryB, b.KnotCount()));
    }
}

// Copy k and copy k + 1; answers how they were joined. A pair in which a
// copy has no knots gives no links: any link would name a knot that the
// empty copy lacks.
int linkPair(LinkWriter& writer, CopyFractions& fractions, const BezierShape& copies, int k) {
    const Spline3D& a = *copies.GetSpline(k);
    const Spline3D& b = *copies.GetSpline(k + 1);
    int na = a.KnotCount(), nb = b.KnotCount();
    if (na == 0 || nb == 0) return TRELLIS_JOIN_NONE;
    if (na != nb) {
        linkByArcLength(writer, fractions, a, k, b);
        return TRELLIS_JOIN_ARC_LENGTH;
    }
    for (int i = 0; i < na; ++i) writer.link(k, i, i);
    // Differing closure: one more link joins the closed copy's knot 0 and the open copy's last knot.
    if (a.Closed() && !b.Closed()) writer.link(k, 0, nb - 1);
    if (!a.Closed() && b.Closed()) writer.link(k, na - 1, 0);
    return a.Closed() == b.Closed() ? TRELLIS_JOIN_KNOT_BY_KNOT : TRELLIS_JOIN_CLOSING_LINK;
}

}  // namespace

void linkCopies(const BezierShape& copies, int n, Tab<Point3>& points, Tab<CageLink>& links,
                Tab<TrellisPairJoin>& joins) {
    points.ZeroCount();
    links.ZeroCount();
    joins.ZeroCount();
    std::vector<int> starts = gatherCagePoints(copies, n, points);
    LinkWriter writer(points, std::move(starts), links);
    CopyFractions fractions(copies, n);
    for (int k = 0; k + 1 < n; ++k) {
        TrellisPairJoin pair{0, 0, links.Count()};
        pair.join = linkPair(writer, fractions, copies, k);
        pair.links = links.Count() - pair.firstLink;
        joins.Append(1, &pair, 1);
        fractions.release(k);
    }
}

// The scan answers for whatever the table holds, also when it was filled by
// hand; the links build itself looks its ends up through an index instead.
int TrellisObject::FindCagePoint(Point3 p) {
    for (int i = 0; i < cagePoints.Count(); ++i)
        if (cagePoints[i] == p) return i;
    return 0;
}

void TrellisObject::linkSections(BezierShape& target, int n) {
    linkCopies(target, n, cagePoints, cageLinks, cageJoins);
}
