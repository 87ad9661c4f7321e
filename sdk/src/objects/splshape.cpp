// The editable spline object: every query is answered from its own shape. A
// curve or piece index outside the shape answers a neutral value (0, the
// origin, open) instead of reading past the spline list.
#include "splshape.h"

namespace {

const Spline3D* splineAt(const BezierShape& shape, int curve) {
    return curve >= 0 && curve < shape.SplineCount() ? shape.GetSpline(curve) : nullptr;
}

bool pieceExists(const BezierShape& shape, int curve, int piece) {
    const Spline3D* s = splineAt(shape, curve);
    return s && piece >= 0 && piece < s->Segments();
}

}  // namespace

ReferenceTarget* SplineShape::Clone(RemapDir& remap) {
    SplineShape* copy = new SplineShape;
    copy->shape = shape;
    // A fresh object has nothing to undo, so the settings are copied without a record.
    copy->renderSettings = renderSettings;
    BaseClone(this, copy, remap);
    return copy;
}

void SplineShape::ShapeChanged() {
    shape.InvalidateGeomCache();
    NotifyDependents(FOREVER, PART_TOPO | PART_GEOM, REFMSG_CHANGE);
}

// A negative curve asks for the knots of every curve.
int SplineShape::NumberOfVertices(TimeValue, int curve) {
    if (curve >= 0) {
        const Spline3D* s = splineAt(shape, curve);
        return s ? s->KnotCount() : 0;
    }
    int total = 0;
    for (int i = 0; i < shape.SplineCount(); ++i) total += shape.GetSpline(i)->KnotCount();
    return total;
}

BOOL SplineShape::CurveClosed(TimeValue, int curve) {
    const Spline3D* s = splineAt(shape, curve);
    return s && s->Closed() ? TRUE : FALSE;
}

Point3 SplineShape::InterpCurve3D(TimeValue, int curve, float param, int ptype) {
    return splineAt(shape, curve) ? shape.InterpCurve3D(curve, param, ptype) : Point3::Origin();
}

Point3 SplineShape::TangentCurve3D(TimeValue, int curve, float param, int ptype) {
    return splineAt(shape, curve) ? shape.TangentCurve3D(curve, param, ptype) : Point3::Origin();
}

float SplineShape::LengthOfCurve(TimeValue, int curve) {
    return splineAt(shape, curve) ? shape.LengthOfCurve(curve) : 0.0f;
}

int SplineShape::NumberOfPieces(TimeValue, int curve) {
    const Spline3D* s = splineAt(shape, curve);
    return s ? s->Segments() : 0;
}

Point3 SplineShape::InterpPiece3D(TimeValue, int curve, int piece, float param, int ptype) {
    return pieceExists(shape, curve, piece) ? shape.InterpPiece3D(curve, piece, param, ptype)
                                            : Point3::Origin();
}

Point3 SplineShape::TangentPiece3D(TimeValue, int curve, int piece, float param, int ptype) {
    return pieceExists(shape, curve, piece) ? shape.TangentPiece3D(curve, piece, param, ptype)
                                            : Point3::Origin();
}

ShapeHierarchy& SplineShape::OrganizeCurves(TimeValue t, ShapeHierarchy* hier) {
    return shape.OrganizeCurves(t, hier);
}

void SplineShape::MakePolyShape(TimeValue, PolyShape& p, int steps, BOOL optimize) {
    shape.MakePolyShape(p, steps, optimize);
}

int SplineShape::MakeCap(TimeValue t, MeshCapInfo& capInfo, int capType) {
    shape.MakeCap(t, capInfo, capType);
    return TRUE;
}

int SplineShape::MakeCap(TimeValue t, PatchCapInfo& capInfo) {
    shape.MakeCap(t, capInfo);
    return TRUE;
}

// The curves' box grown by what the render settings add.
void SplineShape::GetLocalBoundBox(TimeValue t, INode*, ViewExp*, Box3& box) {
    box = shape.GetBoundingBox();
    box += GetBoundingBox(t);
}

void SplineShape::GetDeformBBox(TimeValue t, Box3& box, Matrix3* tm, BOOL) {
    box = shape.GetBoundingBox(tm);
    box += GetBoundingBox(t, tm);
}
