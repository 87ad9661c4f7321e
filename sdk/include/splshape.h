// The host's editable spline object, and its polyline-only and mesh siblings.
#pragma once
#include "object.h"

// Editable spline: holds a BezierShape and answers the shape queries from it.
class SplineShape : public ShapeObject {
public:
    BezierShape shape;

    Class_ID ClassID() override { return splineShapeClassID; }
    void GetClassName(TSTR& s) override { s = "Editable Spline"; }
    const char* GetObjectName() override { return "Editable Spline"; }
    ReferenceTarget* Clone(RemapDir& remap) override;
    RefResult NotifyRefChanged(Interval, RefTargetHandle, PartID&, RefMessage) override { return REF_SUCCEED; }
    // Any change of `shape` from outside should end with this.
    void ShapeChanged();

    int NumberOfVertices(TimeValue t, int curve = -1) override;
    int NumberOfCurves() override { return shape.SplineCount(); }
    BOOL CurveClosed(TimeValue t, int curve) override;
    Point3 InterpCurve3D(TimeValue t, int curve, float param, int ptype = PARAM_SIMPLE) override;
    Point3 TangentCurve3D(TimeValue t, int curve, float param, int ptype = PARAM_SIMPLE) override;
    float LengthOfCurve(TimeValue t, int curve) override;
    int NumberOfPieces(TimeValue t, int curve) override;
    Point3 InterpPiece3D(TimeValue t, int curve, int piece, float param, int ptype = PARAM_SIMPLE) override;
    Point3 TangentPiece3D(TimeValue t, int curve, int piece, float param, int ptype = PARAM_SIMPLE) override;
    BOOL CanMakeBezier() override { return TRUE; }
    void MakeBezier(TimeValue, BezierShape& s) override { s = shape; }
    ShapeHierarchy& OrganizeCurves(TimeValue t, ShapeHierarchy* hier = nullptr) override;
    void MakePolyShape(TimeValue t, PolyShape& p, int steps = PSHAPE_BUILTIN_STEPS, BOOL optimize = FALSE) override;
    int MakeCap(TimeValue t, MeshCapInfo& capInfo, int capType) override;
    int MakeCap(TimeValue t, PatchCapInfo& capInfo) override;
    void GetLocalBoundBox(TimeValue t, INode* inode, ViewExp* vpt, Box3& box) override;
    void GetDeformBBox(TimeValue t, Box3& box, Matrix3* tm = nullptr, BOOL useSel = FALSE) override;
};

// A shape that offers only polylines (the host's linear shape): it cannot
// give Bezier splines, so users of its curves go through MakePolyShape.
class LinearShape : public ShapeObject {
public:
    PolyShape shape;

    Class_ID ClassID() override { return linearShapeClassID; }
    void GetClassName(TSTR& s) override { s = "Linear Shape"; }
    const char* GetObjectName() override { return "Linear Shape"; }
    ReferenceTarget* Clone(RemapDir& remap) override;
    RefResult NotifyRefChanged(Interval, RefTargetHandle, PartID&, RefMessage) override { return REF_SUCCEED; }

    int NumberOfVertices(TimeValue t, int curve = -1) override;
    int NumberOfCurves() override { return shape.numLines(); }
    BOOL CurveClosed(TimeValue t, int curve) override;
    Point3 InterpCurve3D(TimeValue t, int curve, float param, int ptype = PARAM_SIMPLE) override;
    Point3 TangentCurve3D(TimeValue t, int curve, float param, int ptype = PARAM_SIMPLE) override;
    float LengthOfCurve(TimeValue t, int curve) override;
    int NumberOfPieces(TimeValue t, int curve) override;
    Point3 InterpPiece3D(TimeValue t, int curve, int piece, float param, int ptype = PARAM_SIMPLE) override;
    Point3 TangentPiece3D(TimeValue t, int curve, int piece, float param, int ptype = PARAM_SIMPLE) override;
    ShapeHierarchy& OrganizeCurves(TimeValue t, ShapeHierarchy* hier = nullptr) override;
    void MakePolyShape(TimeValue t, PolyShape& p, int steps = PSHAPE_BUILTIN_STEPS, BOOL optimize = FALSE) override;
    int MakeCap(TimeValue t, MeshCapInfo& capInfo, int capType) override;
    int MakeCap(TimeValue t, PatchCapInfo& capInfo) override;

private:
    BezierShape asBezier() const;
    ShapeHierarchy hierarchy;
};

// A mesh object: not a shape.
class TriObject : public Object {
public:
    std::vector<Point3> verts;

    Class_ID ClassID() override { return triObjectClassID; }
    SClass_ID SuperClassID() override { return GEOMOBJECT_CLASS_ID; }
    void GetClassName(TSTR& s) override { s = "Editable Mesh"; }
    const char* GetObjectName() override { return "Editable Mesh"; }
    ObjectState Eval(TimeValue) override { return ObjectState(this); }
    ReferenceTarget* Clone(RemapDir& remap) override;
    RefResult NotifyRefChanged(Interval, RefTargetHandle, PartID&, RefMessage) override { return REF_SUCCEED; }
};
