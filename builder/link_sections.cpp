// Links between unlike sections: every knot point of every copy goes into
// cagePoints, and each pair of consecutive copies gets its link records in
// cageLinks, knot by knot for equal counts or by arc length otherwise.
#include "object/trellis_object.h"
#include "builder/fraction_walk.h"

namespace {

// The knot of a fraction-table entry: the wrap entry stands for knot 0.
int knotOfEntry(int entry, int knotCount) { return entry == knotCount ? 0 : entry; }

}  // namespace

int TrellisObject::FindCagePoint(Point3 p) {
    for (int i = 0; i < cagePoints.Count(); ++i)
        if (cagePoints[i] == p) return i;
    return 0;
}

void TrellisObject::linkSections(BezierShape& target, int n) {
    cagePoints.ZeroCount();
    cageLinks.ZeroCount();
    for (int s = 0; s < n; ++s) {
        const Spline3D* copy = target.GetSpline(s);
        for (int i = 0; i < copy->KnotCount(); ++i) {
            Point3 p = copy->GetKnotPoint(i);
            cagePoints.Append(1, &p, 1);
        }
    }
    for (int k = 0; k + 1 < n; ++k) linkPair(*target.GetSpline(k), *target.GetSpline(k + 1));
}

void TrellisObject::linkKnots(const Spline3D& a, int knotA, const Spline3D& b, int knotB) {
    CageLink link;
    link.from = FindCagePoint(a.GetKnotPoint(knotA));
    link.to = FindCagePoint(b.GetKnotPoint(knotB));
    link.used = 0;
    cageLinks.Append(1, &link, 1);
}

// A pair in which a copy has no knots gives no links: any link would name a
// knot that the empty copy lacks.
void TrellisObject::linkPair(const Spline3D& a, const Spline3D& b) {
    int na = a.KnotCount(), nb = b.KnotCount();
    if (na == 0 || nb == 0) return;
    if (na != nb) {
        linkByArcLength(a, b);
        return;
    }
    for (int i = 0; i < na; ++i) linkKnots(a, i, b, i);
    // Differing closure: one more link joins the closed copy's knot 0 and the open copy's last knot.
    if (a.Closed() && !b.Closed()) linkKnots(a, 0, b, nb - 1);
    if (!a.Closed() && b.Closed()) linkKnots(a, na - 1, b, 0);
}

void TrellisObject::linkByArcLength(const Spline3D& a, const Spline3D& b) {
    Tab<float> fa, fb;
    buildFractionTable(a, fa);
    buildFractionTable(b, fb);
    // The closed copy of a pair with differing closure reaches its knot 0 again at 1.
    if (a.Closed() != b.Closed()) {
        float wrap = 1.0f;
        (a.Closed() ? fa : fb).Append(1, &wrap, 1);
    }
    bool aLonger = a.KnotCount() > b.KnotCount();
    EntryPairs pairs = aLonger ? walkFractions(fa, fb) : walkFractions(fb, fa);
    for (const auto& pair : pairs) {
        int entryA = aLonger ? pair.first : pair.second;
        int entryB = aLonger ? pair.second : pair.first;
        linkKnots(a, knotOfEntry(entryA, a.KnotCount()), b, knotOfEntry(entryB, b.KnotCount()));
    }
    zfree(fa);
    zfree(fb);
}
