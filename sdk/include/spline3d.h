// Bezier splines of the host: knots with handles, open or closed.
//
// Curve model: segment i runs from knot i (its point and out vector) to knot
// i + 1 (its in vector and point); on a closed spline the last segment runs
// from the last knot back to knot 0. In and out vectors are handle positions
// (not offsets) in the spline's own space.
#pragma once
#include <vector>
#include "maxtypes.h"
#include "point3.h"
#include "matrix3.h"
#include "box3.h"

// Knot types.
const int KTYPE_AUTO = 0;
const int KTYPE_CORNER = 1;
const int KTYPE_BEZIER = 2;
const int KTYPE_BEZIER_CORNER = 3;
// Line types: a knot's line type governs the segment that leaves it.
const int LTYPE_CURVE = 0;
const int LTYPE_LINE = 1;
// Parametrisations.
const int PARM_UNIFORM = 0;
const int PARM_ARCLENGTH = 1;
const int PARM_CENTRIPETAL = 2;
const int PARM_CUSTOM = 3;
// Parameter types for curve interpolation.
const int PARAM_SIMPLE = 0;
const int PARAM_NORMALIZED = 1;

class SplineKnot {
public:
    SplineKnot() = default;
    SplineKnot(int knotType, int lineType, Point3 point, Point3 inVec, Point3 outVec,
               int inMtl = -1, int outMtl = -1, int inSeg = -1, int outSeg = -1, int inVal = -1,
               int outVal = -1, int pntMtl = -1, int pntSeg = -1, int pntVal = -1, DWORD flags = 0);

    int Ktype() const { return ktype; }
    void SetKtype(int t) { ktype = t; }
    int Ltype() const { return ltype; }
    void SetLtype(int t) { ltype = t; }
    Point3 Knot() const { return point; }
    void SetKnot(const Point3& p) { point = p; }
    Point3 InVec() const { return inVec; }
    void SetInVec(const Point3& p) { inVec = p; }
    Point3 OutVec() const { return outVec; }
    void SetOutVec(const Point3& p) { outVec = p; }
    // The nine auxiliary values, in constructor order (in, out, point; each material, segment, value).
    int Aux(int i) const { return aux[i]; }
    DWORD Flags() const { return flags; }

private:
    int ktype = KTYPE_CORNER;
    int ltype = LTYPE_CURVE;
    Point3 point, inVec, outVec;
    int aux[9] = {-1, -1, -1, -1, -1, -1, -1, -1, -1};
    DWORD flags = 0;
};

class Spline3D {
public:
    Spline3D(int itype = KTYPE_CORNER, int dtype = KTYPE_BEZIER, int ptype = PARM_UNIFORM);

    int KnotCount() const { return static_cast<int>(knots.size()); }
    int Closed() const { return closed ? 1 : 0; }
    // Number of curve segments: knots - 1 when open, knots when closed (0 without knots).
    int Segments() const;
    int GetKnotType(int i) const { return knots[i].Ktype(); }
    int GetLineType(int i) const { return knots[i].Ltype(); }
    SplineKnot GetKnot(int i) const { return knots[i]; }
    Point3 GetKnotPoint(int i) const { return knots[i].Knot(); }
    Point3 GetInVec(int i) const { return knots[i].InVec(); }
    Point3 GetOutVec(int i) const { return knots[i].OutVec(); }
    int InitialType() const { return initialType; }
    int DragType() const { return dragType; }
    int Parametrization() const { return parmType; }

    // Appends at -1 (or any position past the end), otherwise inserts before `where`.
    int AddKnot(const SplineKnot& k, int where = -1);
    void DeleteKnot(int i);
    void SetKnot(int i, const SplineKnot& k) { knots[i] = k; }
    void SetKnotPoint(int i, const Point3& p) { knots[i].SetKnot(p); }
    void SetInVec(int i, const Point3& p) { knots[i].SetInVec(p); }
    void SetOutVec(int i, const Point3& p) { knots[i].SetOutVec(p); }
    // Changes the type and keeps the handles as they are.
    void SetKnotType(int i, int type) { knots[i].SetKtype(type); }
    void SetLineType(int i, int type) { knots[i].SetLtype(type); }
    void SetClosed(int flag = 1) { closed = flag != 0; }
    void SetOpen() { closed = false; }
    void NewSpline() { knots.clear(); closed = false; }

    // Recomputes the handles of automatic and corner knots from the knot points;
    // Bezier and Bezier-corner knots keep their stored handles.
    void ComputeBezPoints();

    // The point at parameter u of segment `seg`. ptype is accepted for the
    // host's signature; segments are always evaluated by their own parameter.
    // A segment index outside the spline gives the nearer end of the curve.
    Point3 InterpBezier3D(int seg, float u, int ptype = PARAM_SIMPLE) const;
    // Unit tangent; the zero vector outside the spline or on a segment collapsed to a point.
    Point3 TangentBezier3D(int seg, float u, int ptype = PARAM_SIMPLE) const;
    // Whole-curve parameter 0..1 spread evenly over the segments.
    Point3 InterpCurve3D(float u, int ptype = PARAM_SIMPLE) const;
    Point3 TangentCurve3D(float u, int ptype = PARAM_SIMPLE) const;
    // Arc length of one segment and of the whole spline (closing segment included when closed).
    float SegmentLength(int seg) const;
    float SplineLength() const;
    // Box of the knots and handles (which contains the curve), optionally transformed.
    Box3 GetBBox(const Matrix3* tm = nullptr) const;

private:
    std::vector<SplineKnot> knots;
    bool closed = false;
    int initialType, dragType, parmType;
};
