// The parametric shapes' common part: the parameter block reference and the
// shape queries, each answered from the outline built at the query's time.
// Nothing is cached: a query costs one build of a handful of knots, and no
// cache can then outlive a parameter change.
#include "simpshp.h"
#include <algorithm>
#include <cmath>

SimpleShape::SimpleShape(const ParamBlockDescID* desc, int count) {
    MakeRefByID(FOREVER, 0, CreateParameterBlock(desc, count, 0));
}

SimpleShape::~SimpleShape() { DeleteAllRefsFromMe(); }

void SimpleShape::SetReference(int i, RefTargetHandle target) {
    if (i == 0) pblock = static_cast<IParamBlock*>(target);
}

RefResult SimpleShape::NotifyRefChanged(Interval, RefTargetHandle hTarget, PartID&, RefMessage message) {
    if (message == REFMSG_TARGET_DELETED && hTarget == pblock) pblock = nullptr;
    return REF_SUCCEED;
}

Interval SimpleShape::ObjectValidity(TimeValue t) {
    Interval valid = FOREVER;
    float ignored = 0.0f;
    if (pblock)
        for (int i = 0; i < pblock->NumParams(); ++i) pblock->GetValue(i, t, ignored, valid);
    return valid;
}

// Without a block (deleted from under the object) every size reads 0.
float SimpleShape::sizeAt(int index, TimeValue t) {
    float value = 0.0f;
    Interval ignored = FOREVER;
    if (pblock) pblock->GetValue(index, t, value, ignored);
    return value > 0.0f ? value : 0.0f;  // also turns not-a-number into 0
}

int SimpleShape::countAt(int index, TimeValue t) {
    int value = 0;
    Interval ignored = FOREVER;
    if (pblock) pblock->GetValue(index, t, value, ignored);
    return std::clamp(value, SIMPLE_SHAPE_MIN_COUNT, SIMPLE_SHAPE_MAX_COUNT);
}

void SimpleShape::cloneInto(SimpleShape& clone, RemapDir& remap) {
    clone.renderSettings = renderSettings;
    if (pblock) clone.ReplaceReference(0, remap.CloneRef(pblock), TRUE);
    BaseClone(this, &clone, remap);
}

BezierShape SimpleShape::shapeAt(TimeValue t) {
    BezierShape shape;
    BuildShape(t, shape);
    return shape;
}

void SimpleShape::MakeBezier(TimeValue t, BezierShape& shape) {
    shape.NewShape();
    BuildShape(t, shape);
}

// Curve 0 is the outline; any other index answers a neutral value, as the
// editable spline's queries do.
int SimpleShape::NumberOfVertices(TimeValue t, int curve) {
    return curve <= 0 ? shapeAt(t).GetSpline(0)->KnotCount() : 0;
}

BOOL SimpleShape::CurveClosed(TimeValue, int curve) { return curve == 0 ? TRUE : FALSE; }

Point3 SimpleShape::InterpCurve3D(TimeValue t, int curve, float param, int ptype) {
    return curve == 0 ? shapeAt(t).InterpCurve3D(0, param, ptype) : Point3::Origin();
}

Point3 SimpleShape::TangentCurve3D(TimeValue t, int curve, float param, int ptype) {
    return curve == 0 ? shapeAt(t).TangentCurve3D(0, param, ptype) : Point3::Origin();
}

float SimpleShape::LengthOfCurve(TimeValue t, int curve) {
    return curve == 0 ? shapeAt(t).LengthOfCurve(0) : 0.0f;
}

int SimpleShape::NumberOfPieces(TimeValue t, int curve) {
    return curve == 0 ? shapeAt(t).GetSpline(0)->Segments() : 0;
}

Point3 SimpleShape::InterpPiece3D(TimeValue t, int curve, int piece, float param, int ptype) {
    if (piece < 0 || piece >= NumberOfPieces(t, curve)) return Point3::Origin();
    return shapeAt(t).InterpPiece3D(curve, piece, param, ptype);
}

Point3 SimpleShape::TangentPiece3D(TimeValue t, int curve, int piece, float param, int ptype) {
    if (piece < 0 || piece >= NumberOfPieces(t, curve)) return Point3::Origin();
    return shapeAt(t).TangentPiece3D(curve, piece, param, ptype);
}

// The hierarchy is worked out on a temporary outline, so the answer is
// copied into the caller's record or into this object's own.
ShapeHierarchy& SimpleShape::OrganizeCurves(TimeValue t, ShapeHierarchy* hier) {
    BezierShape shape = shapeAt(t);
    const ShapeHierarchy result = shape.OrganizeCurves(t, hier);
    ShapeHierarchy& out = hier ? *hier : hierarchy;
    out = result;
    return out;
}

void SimpleShape::MakePolyShape(TimeValue t, PolyShape& p, int steps, BOOL optimize) {
    shapeAt(t).MakePolyShape(p, steps, optimize);
}

int SimpleShape::MakeCap(TimeValue t, MeshCapInfo& capInfo, int capType) {
    shapeAt(t).MakeCap(t, capInfo, capType);
    return TRUE;
}

int SimpleShape::MakeCap(TimeValue t, PatchCapInfo& capInfo) {
    shapeAt(t).MakeCap(t, capInfo);
    return TRUE;
}

void SimpleShape::GetLocalBoundBox(TimeValue t, INode*, ViewExp*, Box3& box) {
    box = shapeAt(t).GetBoundingBox();
    box += GetBoundingBox(t);
}

void SimpleShape::GetDeformBBox(TimeValue t, Box3& box, Matrix3* tm, BOOL) {
    box = shapeAt(t).GetBoundingBox(tm);
    box += GetBoundingBox(t, tm);
}
