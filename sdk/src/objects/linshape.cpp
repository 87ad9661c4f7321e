// The polyline-only shape. Counts come from the polylines themselves; curve
// geometry goes through the Bezier form of the polylines (corner knots and
// straight segments), which traces the same lines. Out-of-range indices
// answer neutral values, as the editable spline's do.
#include "splshape.h"

namespace {

bool lineExists(const PolyShape& shape, int curve) { return curve >= 0 && curve < shape.numLines(); }

}  // namespace

BezierShape LinearShape::asBezier() const {
    BezierShape bez;
    bez = shape;
    return bez;
}

ReferenceTarget* LinearShape::Clone(RemapDir& remap) {
    LinearShape* copy = new LinearShape;
    copy->shape = shape;
    copy->renderSettings = renderSettings;
    BaseClone(this, copy, remap);
    return copy;
}

// A negative curve asks for the points of every polyline.
int LinearShape::NumberOfVertices(TimeValue, int curve) {
    if (curve >= 0) return lineExists(shape, curve) ? shape.lines[curve].numPts() : 0;
    int total = 0;
    for (const PolyLine& line : shape.lines) total += line.numPts();
    return total;
}

BOOL LinearShape::CurveClosed(TimeValue, int curve) {
    return lineExists(shape, curve) && shape.lines[curve].IsClosed() ? TRUE : FALSE;
}

Point3 LinearShape::InterpCurve3D(TimeValue, int curve, float param, int ptype) {
    return lineExists(shape, curve) ? asBezier().InterpCurve3D(curve, param, ptype) : Point3::Origin();
}

Point3 LinearShape::TangentCurve3D(TimeValue, int curve, float param, int ptype) {
    return lineExists(shape, curve) ? asBezier().TangentCurve3D(curve, param, ptype) : Point3::Origin();
}

float LinearShape::LengthOfCurve(TimeValue, int curve) {
    return lineExists(shape, curve) ? asBezier().LengthOfCurve(curve) : 0.0f;
}

int LinearShape::NumberOfPieces(TimeValue, int curve) {
    if (!lineExists(shape, curve)) return 0;
    const BezierShape bez = asBezier();
    const Spline3D* s = bez.GetSpline(curve);
    return s ? s->Segments() : 0;
}

Point3 LinearShape::InterpPiece3D(TimeValue t, int curve, int piece, float param, int ptype) {
    if (piece < 0 || piece >= NumberOfPieces(t, curve)) return Point3::Origin();
    return asBezier().InterpPiece3D(curve, piece, param, ptype);
}

Point3 LinearShape::TangentPiece3D(TimeValue t, int curve, int piece, float param, int ptype) {
    if (piece < 0 || piece >= NumberOfPieces(t, curve)) return Point3::Origin();
    return asBezier().TangentPiece3D(curve, piece, param, ptype);
}

// The hierarchy is worked out on a temporary Bezier form, so the answer is
// copied into the caller's record or into this object's own.
ShapeHierarchy& LinearShape::OrganizeCurves(TimeValue t, ShapeHierarchy* hier) {
    BezierShape bez = asBezier();
    const ShapeHierarchy result = bez.OrganizeCurves(t, hier);
    ShapeHierarchy& out = hier ? *hier : hierarchy;
    out = result;
    return out;
}

// The polylines are already the answer: steps and optimize change nothing.
void LinearShape::MakePolyShape(TimeValue, PolyShape& p, int, BOOL) { p = shape; }

int LinearShape::MakeCap(TimeValue t, MeshCapInfo& capInfo, int capType) {
    asBezier().MakeCap(t, capInfo, capType);
    return TRUE;
}

int LinearShape::MakeCap(TimeValue t, PatchCapInfo& capInfo) {
    asBezier().MakeCap(t, capInfo);
    return TRUE;
}
