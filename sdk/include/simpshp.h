// The host's parametric shapes: circle, rectangle, regular polygon and star.
// Each keeps its dimensions in a parameter block (reference 0) and builds
// its one closed spline, centred in its local XY plane, at a time on demand,
// so an animated dimension gives another spline at every time.
#pragma once
#include "object.h"
#include "iparamb.h"

// Class ids of the parametric shapes (stand-in numbers).
extern const Class_ID circleClassID;
extern const Class_ID rectangleClassID;
extern const Class_ID ngonClassID;
extern const Class_ID starClassID;

// Parameter indices.
const int PB_CIRCLE_RADIUS = 0;
const int PB_RECT_LENGTH = 0;   // along Y
const int PB_RECT_WIDTH = 1;    // along X
const int PB_NGON_RADIUS = 0;   // centre to corner
const int PB_NGON_SIDES = 1;
const int PB_STAR_RADIUS1 = 0;  // the first knot's distance, and every other one's
const int PB_STAR_RADIUS2 = 1;
const int PB_STAR_POINTS = 2;

// Limits the shapes hold their parameters to: negative sizes build as 0, the
// counts as the nearest count in [SIMPLE_SHAPE_MIN_COUNT, SIMPLE_SHAPE_MAX_COUNT].
const int SIMPLE_SHAPE_MIN_COUNT = 3;
const int SIMPLE_SHAPE_MAX_COUNT = 1000;

class SimpleShape : public ShapeObject {
public:
    SimpleShape(const ParamBlockDescID* desc, int count);
    ~SimpleShape() override;

    IParamBlock* pblock = nullptr;

    // The outline at t, from the parameters' values at t, into an empty shape.
    virtual void BuildShape(TimeValue t, BezierShape& shape) = 0;

    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int i) override { return i == 0 ? pblock : nullptr; }
    void SetReference(int i, RefTargetHandle target) override;
    // A parameter change reaches this object's dependents as it came
    // (REFMSG_CHANGE): nothing is cached here that it could make stale.
    RefResult NotifyRefChanged(Interval changeInt, RefTargetHandle hTarget, PartID& partID,
                               RefMessage message) override;
    int NumSubs() override { return 1; }
    Animatable* SubAnim(int) override { return pblock; }

    // The validity of the parameters' values at t.
    Interval ObjectValidity(TimeValue t) override;

    int NumberOfVertices(TimeValue t, int curve = -1) override;
    int NumberOfCurves() override { return 1; }
    BOOL CurveClosed(TimeValue t, int curve) override;
    Point3 InterpCurve3D(TimeValue t, int curve, float param, int ptype = PARAM_SIMPLE) override;
    Point3 TangentCurve3D(TimeValue t, int curve, float param, int ptype = PARAM_SIMPLE) override;
    float LengthOfCurve(TimeValue t, int curve) override;
    int NumberOfPieces(TimeValue t, int curve) override;
    Point3 InterpPiece3D(TimeValue t, int curve, int piece, float param, int ptype = PARAM_SIMPLE) override;
    Point3 TangentPiece3D(TimeValue t, int curve, int piece, float param, int ptype = PARAM_SIMPLE) override;
    BOOL CanMakeBezier() override { return TRUE; }
    // Replaces what `shape` held by the outline at t.
    void MakeBezier(TimeValue t, BezierShape& shape) override;
    ShapeHierarchy& OrganizeCurves(TimeValue t, ShapeHierarchy* hier = nullptr) override;
    void MakePolyShape(TimeValue t, PolyShape& p, int steps = PSHAPE_BUILTIN_STEPS, BOOL optimize = FALSE) override;
    int MakeCap(TimeValue t, MeshCapInfo& capInfo, int capType) override;
    int MakeCap(TimeValue t, PatchCapInfo& capInfo) override;
    void GetLocalBoundBox(TimeValue t, INode* inode, ViewExp* vpt, Box3& box) override;
    void GetDeformBBox(TimeValue t, Box3& box, Matrix3* tm = nullptr, BOOL useSel = FALSE) override;

protected:
    // A size parameter at t, 0 for a negative value.
    float sizeAt(int index, TimeValue t);
    // A count parameter at t, held to the shapes' limits.
    int countAt(int index, TimeValue t);
    // Gives `clone` this object's block (values and keys) and settings.
    void cloneInto(SimpleShape& clone, RemapDir& remap);

private:
    BezierShape shapeAt(TimeValue t);
    ShapeHierarchy hierarchy;
};

// Four smooth (automatic) knots at radius from the centre, the first on +X.
class CircleObject : public SimpleShape {
public:
    CircleObject();
    Class_ID ClassID() override { return circleClassID; }
    void GetClassName(TSTR& s) override { s = "Circle"; }
    const char* GetObjectName() override { return "Circle"; }
    ReferenceTarget* Clone(RemapDir& remap) override;
    void BuildShape(TimeValue t, BezierShape& shape) override;
};

// Four corner knots, the first at (+width/2, -length/2), then anticlockwise
// seen from +Z: the first knot is on the +X side.
class RectangleObject : public SimpleShape {
public:
    RectangleObject();
    Class_ID ClassID() override { return rectangleClassID; }
    void GetClassName(TSTR& s) override { s = "Rectangle"; }
    const char* GetObjectName() override { return "Rectangle"; }
    ReferenceTarget* Clone(RemapDir& remap) override;
    void BuildShape(TimeValue t, BezierShape& shape) override;
};

// `sides` corner knots at radius from the centre, the first on +X, then anticlockwise.
class NGonObject : public SimpleShape {
public:
    NGonObject();
    Class_ID ClassID() override { return ngonClassID; }
    void GetClassName(TSTR& s) override { s = "NGon"; }
    const char* GetObjectName() override { return "NGon"; }
    ReferenceTarget* Clone(RemapDir& remap) override;
    void BuildShape(TimeValue t, BezierShape& shape) override;
};

// 2 * `points` corner knots, alternately at radius1 and radius2, the first
// at radius1 on +X, then anticlockwise.
class StarObject : public SimpleShape {
public:
    StarObject();
    Class_ID ClassID() override { return starClassID; }
    void GetClassName(TSTR& s) override { s = "Star"; }
    const char* GetObjectName() override { return "Star"; }
    ReferenceTarget* Clone(RemapDir& remap) override;
    void BuildShape(TimeValue t, BezierShape& shape) override;
};
