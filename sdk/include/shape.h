// A shape of Bezier splines, and the shape services the host offers on it.
#pragma once
#include <memory>
#include <vector>
#include "maxtypes.h"
#include "spline3d.h"
#include "polyshp.h"
#include "gfx.h"
#include "box3.h"

class PolyShape;

// Which closed curves of a shape lie inside which (the host's curve hierarchy).
class ShapeHierarchy {
public:
    // parents[i]: index of the closed curve that immediately contains curve i, -1 for none.
    std::vector<int> parents;
    // reverse[i]: 1 when curve i runs clockwise seen from +Z and should be reversed for capping.
    std::vector<int> reverse;
    void New(int curves) { parents.assign(curves, -1); reverse.assign(curves, 0); }
};

// Caps of the closed curves: a mesh of triangles or one patch per curve.
const int CAPTYPE_MORPH = 0;
const int CAPTYPE_GRID = 1;
class MeshCapInfo {
public:
    std::vector<Point3> verts;
    struct Face { int v[3]; };
    std::vector<Face> faces;
};
class PatchCapInfo {
public:
    // One patch cap per closed curve: the curve index and its knot points as the boundary.
    struct Cap { int curve; std::vector<Point3> boundary; };
    std::vector<Cap> caps;
};

class BezierShape {
public:
    BezierShape() = default;
    BezierShape(const BezierShape& other) { *this = other; }
    ~BezierShape() = default;
    BezierShape& operator=(const BezierShape& other);
    // Each polyline becomes a spline of corner knots at its points, straight
    // segments between them, closed when the polyline is.
    BezierShape& operator=(const PolyShape& pshape);

    int SplineCount() const { return static_cast<int>(splines.size()); }
    // Spline i, or null when there is no spline i.
    Spline3D* GetSpline(int i) const;
    Spline3D* NewSpline(int itype = KTYPE_CORNER, int dtype = KTYPE_BEZIER, int ptype = PARM_UNIFORM);
    void DeleteSpline(int i);
    // Removes every spline.
    void NewShape();
    void UpdateSels(BOOL save = 0);
    void InvalidateGeomCache();
    // The shape's own interpolation steps (PSHAPE_BUILTIN_STEPS uses this).
    int steps = 6;

    Box3 GetBoundingBox(const Matrix3* tm = nullptr) const;
    Point3 InterpCurve3D(int poly, float param, int ptype = PARAM_SIMPLE) const;
    Point3 TangentCurve3D(int poly, float param, int ptype = PARAM_SIMPLE) const;
    float LengthOfCurve(int poly) const;
    Point3 InterpPiece3D(int poly, int piece, float param, int ptype = PARAM_SIMPLE) const;
    Point3 TangentPiece3D(int poly, int piece, float param, int ptype = PARAM_SIMPLE) const;
    ShapeHierarchy& OrganizeCurves(TimeValue t, ShapeHierarchy* hier = nullptr);
    // steps: PSHAPE_BUILTIN_STEPS for the shape's own, -1 adaptive, else points between knots.
    // optimize: straight segments get no interpolated points.
    void MakePolyShape(PolyShape& pshp, int steps = PSHAPE_BUILTIN_STEPS, BOOL optimize = FALSE) const;
    void MakeCap(TimeValue t, MeshCapInfo& capInfo, int capType);
    void MakeCap(TimeValue t, PatchCapInfo& capInfo);
    // Hit test of the sampled curves against the region, in the window's current transform.
    int Select(GraphicsWindow* gw, Material* ma, HitRegion* hr, int abortOnHit = FALSE);
    // Snaps to the nearest knot within snap->strength pixels of p.
    void Snap(GraphicsWindow* gw, SnapInfo* snap, IPoint2* p, Matrix3& tm);
    // Draws every spline as a sampled polyline and marks its knots.
    int Render(GraphicsWindow* gw, Material* ma, RECT* rp, int compFlags, int numMat = 1);

    // Counters the stand-in keeps so that callers can see cache work.
    int geomCacheInvalidations = 0;

private:
    std::vector<std::unique_ptr<Spline3D>> splines;
    ShapeHierarchy hierarchy;
};
