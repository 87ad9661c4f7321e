// BezierShape: its splines, copying, conversion from polylines and the curve queries.
#include "shape.h"

BezierShape& BezierShape::operator=(const BezierShape& other) {
    if (this == &other) return *this;
    splines.clear();
    for (const auto& spline : other.splines) splines.push_back(std::make_unique<Spline3D>(*spline));
    steps = other.steps;
    hierarchy = other.hierarchy;
    // geomCacheInvalidations counts this shape's own cache work: not copied.
    return *this;
}

BezierShape& BezierShape::operator=(const PolyShape& pshape) {
    NewShape();
    for (const PolyLine& line : pshape.lines) {
        Spline3D* spline = NewSpline();
        for (const PolyPt& pt : line.pts)
            spline->AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_LINE, pt.p, pt.p, pt.p));
        if (line.IsClosed()) spline->SetClosed();
        // Corner handles 1/3 along each chord: the segments are straight also
        // for a reader that ignores the line type.
        spline->ComputeBezPoints();
    }
    return *this;
}

Spline3D* BezierShape::GetSpline(int i) const {
    if (i < 0 || i >= SplineCount()) return nullptr;
    return splines[i].get();
}

Spline3D* BezierShape::NewSpline(int itype, int dtype, int ptype) {
    splines.push_back(std::make_unique<Spline3D>(itype, dtype, ptype));
    return splines.back().get();
}

void BezierShape::DeleteSpline(int i) {
    if (i < 0 || i >= SplineCount()) return;
    splines.erase(splines.begin() + i);
}

void BezierShape::NewShape() {
    splines.clear();
    hierarchy.New(0);
}

// The stand-in keeps no vertex, segment or spline selection, so there is
// nothing to save or to bring in line with the splines.
void BezierShape::UpdateSels(BOOL /*save*/) {}

void BezierShape::InvalidateGeomCache() { ++geomCacheInvalidations; }

Box3 BezierShape::GetBoundingBox(const Matrix3* tm) const {
    Box3 box;
    for (const auto& spline : splines) box += spline->GetBBox(tm);
    return box;
}

// The curve queries below answer a curve index outside the shape with the
// origin (a zero vector for tangents) or 0: checking the index is the
// caller's duty, and this keeps a wrong one from reading outside the list.

Point3 BezierShape::InterpCurve3D(int poly, float param, int ptype) const {
    const Spline3D* spline = GetSpline(poly);
    return spline ? spline->InterpCurve3D(param, ptype) : Point3::Origin();
}

Point3 BezierShape::TangentCurve3D(int poly, float param, int ptype) const {
    const Spline3D* spline = GetSpline(poly);
    return spline ? spline->TangentCurve3D(param, ptype) : Point3::Origin();
}

float BezierShape::LengthOfCurve(int poly) const {
    const Spline3D* spline = GetSpline(poly);
    return spline ? spline->SplineLength() : 0.0f;
}

Point3 BezierShape::InterpPiece3D(int poly, int piece, float param, int ptype) const {
    const Spline3D* spline = GetSpline(poly);
    return spline ? spline->InterpBezier3D(piece, param, ptype) : Point3::Origin();
}

Point3 BezierShape::TangentPiece3D(int poly, int piece, float param, int ptype) const {
    const Spline3D* spline = GetSpline(poly);
    return spline ? spline->TangentBezier3D(piece, param, ptype) : Point3::Origin();
}
