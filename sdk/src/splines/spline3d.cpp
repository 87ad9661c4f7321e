// Spline knots, segment bookkeeping and curve evaluation.
#include "spline3d.h"
#include "splines/spline_segment.h"
#include <algorithm>
#include <cmath>

SplineKnot::SplineKnot(int knotType, int lineType, Point3 p, Point3 in, Point3 out, int inMtl,
                       int outMtl, int inSeg, int outSeg, int inVal, int outVal, int pntMtl,
                       int pntSeg, int pntVal, DWORD knotFlags)
    : ktype(knotType), ltype(lineType), point(p), inVec(in), outVec(out),
      aux{inMtl, outMtl, inSeg, outSeg, inVal, outVal, pntMtl, pntSeg, pntVal}, flags(knotFlags) {}

Spline3D::Spline3D(int itype, int dtype, int ptype)
    : initialType(itype), dragType(dtype), parmType(ptype) {}

int Spline3D::Segments() const {
    int n = KnotCount();
    if (n == 0) return 0;
    return closed ? n : n - 1;
}

int Spline3D::AddKnot(const SplineKnot& k, int where) {
    if (where < 0 || where >= KnotCount()) {
        knots.push_back(k);
        return KnotCount() - 1;
    }
    knots.insert(knots.begin() + where, k);
    return where;
}

void Spline3D::DeleteKnot(int i) {
    if (i < 0 || i >= KnotCount()) return;
    knots.erase(knots.begin() + i);
}

Box3 Spline3D::GetBBox(const Matrix3* tm) const {
    Box3 box;
    for (const SplineKnot& k : knots) {
        for (const Point3& p : {k.InVec(), k.Knot(), k.OutVec()}) box += tm ? p * *tm : p;
    }
    return box;
}

namespace {

// Whole-curve parameter -> (segment, local parameter). Clamped to [0, 1];
// a not-a-number parameter counts as 0.
void splitCurveParameter(float u, int segments, int& seg, float& local) {
    if (!(u > 0.0f)) u = 0.0f;
    if (u > 1.0f) u = 1.0f;
    float t = u * static_cast<float>(segments);
    seg = std::min(static_cast<int>(t), segments - 1);
    local = t - static_cast<float>(seg);
}

}  // namespace

// A segment index outside the spline evaluates to the nearer end of the
// curve (the stand-in's choice: callers walking "segment after the last
// knot" of an open spline get its end point, not a read past the knots).
Point3 Spline3D::InterpBezier3D(int seg, float u, int /*ptype*/) const {
    if (knots.empty()) return Point3::Origin();
    if (seg < 0) return knots.front().Knot();
    if (seg >= Segments()) return closed ? knots.front().Knot() : knots.back().Knot();
    // A segment leaving a knot of line type LTYPE_LINE is the straight chord;
    // its handles are ignored.
    return segmentPoint(splineSegment(*this, seg), u);
}

// Unit tangent. Where the derivative vanishes (a handle lying on its knot,
// at that end) the limit direction is taken from the next control point,
// and failing that from the chord; a segment collapsed to a point has none.
Point3 Spline3D::TangentBezier3D(int seg, float u, int /*ptype*/) const {
    if (seg < 0 || seg >= Segments()) return Point3::Origin();
    SplineSegment c = splineSegment(*this, seg);
    Point3 chord = c.p3 - c.p0;
    if (c.line) return Normalize(chord);
    Point3 d = bernsteinDerivative(c, u);
    if (d.LengthSquared() > 0.0f) return Normalize(d);
    Point3 limit = u < 0.5f ? c.p2 - c.p0 : c.p3 - c.p1;
    if (limit.LengthSquared() > 0.0f) return Normalize(limit);
    return Normalize(chord);
}

Point3 Spline3D::InterpCurve3D(float u, int ptype) const {
    if (knots.empty()) return Point3::Origin();
    int segments = Segments();
    if (segments == 0) return knots.front().Knot();
    int seg;
    float local;
    splitCurveParameter(u, segments, seg, local);
    return InterpBezier3D(seg, local, ptype);
}

Point3 Spline3D::TangentCurve3D(float u, int ptype) const {
    int segments = Segments();
    if (segments == 0) return Point3::Origin();
    int seg;
    float local;
    splitCurveParameter(u, segments, seg, local);
    return TangentBezier3D(seg, local, ptype);
}
