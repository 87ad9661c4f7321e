// The cached cage and the host's shape queries, each answered from the cache
// after bringing it up to date at the query's time.
#include "object/trellis_object.h"

static const char* const kSourceName = "DONUT";

void TrellisObject::narrowByNodeTransforms(TimeValue t) {
    for (INode* node : sectionNodes)
        if (node) node->GetNodeTM(t, &shapeValid);
}

// Only the section nodes' transforms narrow the cache's validity; changes of
// the sections' shapes, of the list and of "SplineType" arrive as change
// messages, which set it to NEVER.
void TrellisObject::UpdateShape(TimeValue t, BezierShape& target) {
    shapeValid = FOREVER;
    narrowByNodeTransforms(t);
    target.NewShape();
    BuildCage(t, target);
    target.UpdateSels(0);
    target.InvalidateGeomCache();
}

void TrellisObject::checkCache(TimeValue t) {
    if (!shapeValid.InInterval(t)) UpdateShape(t, shape);
}

void TrellisObject::FreeCaches() {
    shapeValid = NEVER;
    shape.NewShape();
}

ObjectState TrellisObject::Eval(TimeValue) { return ObjectState(this); }

// The base's answer; the node transforms narrow the cache on the way, and
// nothing is rebuilt.
Interval TrellisObject::ObjectValidity(TimeValue t) {
    Interval valid = Object::ObjectValidity(t);
    narrowByNodeTransforms(t);
    return valid;
}

// --- Curves -----------------------------------------------------------------
// An index outside the spline list is reported; the query then answers a
// neutral value (0, FALSE or the origin) without reading outside the list.

bool TrellisObject::curveInRange(int curve, int assertLine) {
    if (curve >= 0 && curve < shape.SplineCount()) return true;
    assert1(assertLine, kSourceName);
    return false;
}

int TrellisObject::NumberOfVertices(TimeValue t, int curve) {
    checkCache(t);
    if (curve >= shape.SplineCount()) {
        assert1(1666, kSourceName);
        return 0;
    }
    if (curve >= 0) return shape.GetSpline(curve)->KnotCount();
    int total = 0;
    for (int i = 0; i < shape.SplineCount(); ++i) total += shape.GetSpline(i)->KnotCount();
    return total;
}

int TrellisObject::NumberOfCurves() {
    checkCache(GetCOREInterface()->GetTime());
    return shape.SplineCount();
}

BOOL TrellisObject::CurveClosed(TimeValue t, int curve) {
    checkCache(t);
    if (!curveInRange(curve, 1572)) return 0;
    return shape.GetSpline(curve)->Closed() ? 1 : 0;
}

Point3 TrellisObject::InterpCurve3D(TimeValue t, int curve, float param, int ptype) {
    checkCache(t);
    if (!curveInRange(curve, 1581)) return Point3(0.0f, 0.0f, 0.0f);
    return shape.InterpCurve3D(curve, param, ptype);
}

Point3 TrellisObject::TangentCurve3D(TimeValue t, int curve, float param, int ptype) {
    checkCache(t);
    if (!curveInRange(curve, 1588)) return Point3(0.0f, 0.0f, 0.0f);
    return shape.TangentCurve3D(curve, param, ptype);
}

float TrellisObject::LengthOfCurve(TimeValue t, int curve) {
    checkCache(t);
    if (!curveInRange(curve, 1595)) return 0.0f;
    return shape.LengthOfCurve(curve);
}

int TrellisObject::NumberOfPieces(TimeValue t, int curve) {
    checkCache(t);
    if (!curveInRange(curve, 1602)) return 0;
    return shape.GetSpline(curve)->Segments();
}

Point3 TrellisObject::InterpPiece3D(TimeValue t, int curve, int piece, float param, int ptype) {
    checkCache(t);
    if (!curveInRange(curve, 1609)) return Point3(0.0f, 0.0f, 0.0f);
    return shape.InterpPiece3D(curve, piece, param, ptype);
}

Point3 TrellisObject::TangentPiece3D(TimeValue t, int curve, int piece, float param, int ptype) {
    checkCache(t);
    if (!curveInRange(curve, 1616)) return Point3(0.0f, 0.0f, 0.0f);
    return shape.TangentPiece3D(curve, piece, param, ptype);
}

int TrellisObject::GetMatID(TimeValue, int, int) { return 0; }

ShapeHierarchy& TrellisObject::OrganizeCurves(TimeValue t, ShapeHierarchy* hier) {
    checkCache(t);
    return shape.OrganizeCurves(t, hier);
}

void TrellisObject::MakePolyShape(TimeValue t, PolyShape& pshape, int steps, BOOL optimize) {
    checkCache(t);
    shape.MakePolyShape(pshape, steps, optimize);
}

int TrellisObject::MakeCap(TimeValue t, MeshCapInfo& capInfo, int capType) {
    checkCache(t);
    shape.MakeCap(t, capInfo, capType);
    return 1;
}

int TrellisObject::MakeCap(TimeValue t, PatchCapInfo& capInfo) {
    checkCache(t);
    shape.MakeCap(t, capInfo);
    return 1;
}

BOOL TrellisObject::AttachShape(TimeValue, INode*, INode*, BOOL, float) { return FALSE; }
