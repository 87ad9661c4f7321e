#include "support/oracle_links.h"
#include <cmath>

namespace {

void appendLink(Tab<CageLink>& links, const Tab<Point3>& points, Point3 from, Point3 to) {
    CageLink record{oracleFindCagePoint(points, from), oracleFindCagePoint(points, to), 0};
    links.Append(1, &record, 1);
}

// Fraction at each knot: running chord length times 1 / SplineLength, in
// single precision, clamped at 1; every chord is added to the running length
// on its own, the segment after the last knot is never needed.
void fractionTable(const Spline3D& copy, Tab<float>& table) {
    float r = 1.0f / copy.SplineLength();
    float run = 0.0f;
    for (int i = 0; i < copy.KnotCount(); ++i) {
        float fraction = run * r;
        if (fraction > 1.0f) fraction = 1.0f;
        table.Append(1, &fraction, 1);
        float u = 0.0f;
        for (int chord = 0; chord < 10; ++chord) {
            u = u + 0.1f;
            run = run + Length(copy.InterpBezier3D(i, u, 0) - copy.InterpBezier3D(i, u - 0.1f, 0));
        }
    }
}

void linkByFractions(const Spline3D& a, const Spline3D& b, Tab<CageLink>& links, const Tab<Point3>& points) {
    Tab<float> fa, fb;
    fractionTable(a, fa);
    fractionTable(b, fb);
    float one = 1.0f;
    if (a.Closed() && !b.Closed()) fa.Append(1, &one, 1);
    if (b.Closed() && !a.Closed()) fb.Append(1, &one, 1);
    bool aIsL = a.KnotCount() > b.KnotCount();
    const Tab<float>& fL = aIsL ? fa : fb;
    const Tab<float>& fS = aIsL ? fb : fa;
    const Spline3D& L = aIsL ? a : b;
    const Spline3D& S = aIsL ? b : a;
    int mL = fL.Count(), mS = fS.Count();
    int j = 0;
    for (int i = 0; i < mL; ++i) {
        Point3 onL = L.GetKnotPoint(i == L.KnotCount() ? 0 : i);
        Point3 onS = S.GetKnotPoint(j == S.KnotCount() ? 0 : j);
        appendLink(links, points, aIsL ? onL : onS, aIsL ? onS : onL);
        if (j < mS - 1 && i < mL - 1 && std::fabs(fL[i + 1] - fS[j + 1]) < std::fabs(fL[i + 1] - fS[j])) j = j + 1;
    }
    zfree(fa);
    zfree(fb);
}

// A copy without knots gives its pairs no links (no knot of it may be read).
void linkPairOf(const Spline3D& a, const Spline3D& b, Tab<CageLink>& links, const Tab<Point3>& points) {
    int n = a.KnotCount();
    if (n == 0 || b.KnotCount() == 0) return;
    if (n != b.KnotCount()) {
        linkByFractions(a, b, links, points);
        return;
    }
    for (int i = 0; i < n; ++i) appendLink(links, points, a.GetKnotPoint(i), b.GetKnotPoint(i));
    if (a.Closed() && !b.Closed()) appendLink(links, points, a.GetKnotPoint(0), b.GetKnotPoint(n - 1));
    if (!a.Closed() && b.Closed()) appendLink(links, points, a.GetKnotPoint(n - 1), b.GetKnotPoint(0));
}

void chainKnot(Spline3D& spline, const Point3& p) {
    spline.AddKnot(SplineKnot(KTYPE_AUTO, LTYPE_CURVE, p, p, p, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0), -1);
}

}  // namespace

int oracleFindCagePoint(const Tab<Point3>& points, Point3 p) {
    for (int i = 0; i < points.Count(); ++i)
        if (points[i] == p) return i;
    return 0;
}

void oracleLinkSections(const BezierShape& copies, int n, Tab<Point3>& points, Tab<CageLink>& links) {
    points.ZeroCount();
    links.ZeroCount();
    for (int s = 0; s < n; ++s)
        for (int i = 0; i < copies.GetSpline(s)->KnotCount(); ++i) {
            Point3 p = copies.GetSpline(s)->GetKnotPoint(i);
            points.Append(1, &p, 1);
        }
    for (int k = 0; k + 1 < n; ++k) linkPairOf(*copies.GetSpline(k), *copies.GetSpline(k + 1), links, points);
}

void oracleWalkChains(Tab<CageLink>& links, const Tab<Point3>& points, BezierShape& target, int knotStyle) {
    for (int i = 0; i < links.Count(); ++i) {
        if (links[i].used != 0) continue;
        Spline3D* spline = target.NewSpline(1, 2, 0);
        chainKnot(*spline, points[links[i].from]);
        chainKnot(*spline, points[links[i].to]);
        links[i].used = 1;
        int end = links[i].to;
        bool extended = true;
        while (extended) {
            extended = false;
            for (int k = 0; k < links.Count(); ++k) {
                if (links[k].from != end || links[k].used != 0) continue;
                chainKnot(*spline, points[links[k].to]);
                links[k].used = 1;
                end = links[k].to;
                extended = true;
                break;
            }
        }
        spline->ComputeBezPoints();
        for (int k = 0; k < spline->KnotCount(); ++k) spline->SetKnotType(k, knotStyle);
        spline->ComputeBezPoints();
        spline->SetOpen();
    }
}

void oracleLinksRoad(BezierShape& shape, int n, int knotStyle, Tab<Point3>& points, Tab<CageLink>& links) {
    oracleLinkSections(shape, n, points, links);
    oracleWalkChains(links, points, shape, knotStyle);
}
