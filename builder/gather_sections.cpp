// Section gathering: one copy of each section's first spline, carried into
// the object space of the section in reference slot 1.
#include "object/trellis_object.h"

namespace {

// The section's shape as Bezier splines, through its polyline form when the
// object cannot give Bezier splines itself.
void fetchSectionShape(Object* obj, TimeValue t, BezierShape& out) {
    ShapeObject* shapeObj = static_cast<ShapeObject*>(obj);
    if (shapeObj->CanMakeBezier()) {
        shapeObj->MakeBezier(t, out);
    } else {
        PolyShape polys;
        shapeObj->MakePolyShape(t, polys, PSHAPE_BUILTIN_STEPS, FALSE);
        out = polys;
    }
}

// Each position goes through the section's own transform and then through
// the inverse reference transform: two products, never one combined matrix,
// so the slot-1 section keeps its own coordinates up to rounding.
Point3 carry(const Point3& p, const Matrix3& sectionTM, const Matrix3& inverseReference) {
    return (p * sectionTM) * inverseReference;
}

void copyKnots(const Spline3D& source, Spline3D& copy, const Matrix3& sectionTM,
               const Matrix3& inverseReference) {
    for (int i = 0; i < source.KnotCount(); ++i) {
        SplineKnot knot(source.GetKnotType(i), LTYPE_CURVE,
                        carry(source.GetKnotPoint(i), sectionTM, inverseReference),
                        carry(source.GetInVec(i), sectionTM, inverseReference),
                        carry(source.GetOutVec(i), sectionTM, inverseReference),
                        -1, -1, -1, -1, -1, -1, -1, -1, -1, 0);
        copy.AddKnot(knot, -1);
    }
}

}  // namespace

// Returns false when a section without a spline ended the build: the output
// then keeps that section's empty copy last and nothing may be added after it.
bool TrellisObject::gatherSections(TimeValue t, BezierShape& target) {
    INode* reference = sectionNodes[0];
    if (!reference) return false;  // nothing to carry the others into
    Matrix3 inverseReference = Inverse(reference->GetObjTMAfterWSM(t));

    for (INode* node : sectionNodes) {
        if (!node) continue;
        Spline3D* copy = target.NewSpline(KTYPE_CORNER, KTYPE_BEZIER, PARM_UNIFORM);
        ObjectState os = node->EvalWorldState(t, TRUE);
        // A section that is no longer a shape (a modifier made it a mesh, say)
        // ends the build like a section without a spline: its copy stays empty.
        if (!os.obj || os.obj->SuperClassID() != SHAPE_CLASS_ID) return false;
        BezierShape sectionShape;
        fetchSectionShape(os.obj, t, sectionShape);
        Spline3D* source = sectionShape.GetSpline(0);
        if (!source) return false;
        copyKnots(*source, *copy, node->GetObjTMAfterWSM(t), inverseReference);
        if (source->Closed()) copy->SetClosed(1);
        copy->ComputeBezPoints();
    }
    return true;
}
