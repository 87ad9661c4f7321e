// Scene objects: the base object, shapes, and the state a node evaluates to.
#pragma once
#include <vector>
#include "maxtypes.h"
#include "ref.h"
#include "box3.h"
#include "interval.h"
#include "tab.h"
#include "shape.h"
#include "gfx.h"

class INode;
class Object;
class IObjParam;
class Animatable;
class CreateMouseCallBack;

// Class ids of the host's own object classes.
extern const Class_ID splineShapeClassID;
extern const Class_ID genericShapeClassID;
extern const Class_ID defObjectClassID;
extern const Class_ID triObjectClassID;
extern const Class_ID patchObjectClassID;
extern const Class_ID linearShapeClassID;
extern const Class_ID mapObjectClassID;

// Whether the host's mesh object can turn into an object of this class.
BOOL CanConvertTriObject(Class_ID obtype);

// Validity channels.
const int TOPO_CHAN_NUM = 0;
const int GEOM_CHAN_NUM = 1;
const int NUM_OBJ_CHANS = 10;

// Edit-params flags.
const ULONG BEGIN_EDIT_CREATE = 1 << 0;
const ULONG END_EDIT_REMOVEUI = 1 << 0;

// The result of evaluating a node: its object at a time.
class ObjectState {
public:
    ObjectState() = default;
    explicit ObjectState(Object* o) : obj(o) {}
    Object* obj = nullptr;
};

class BaseObject : public ReferenceTarget {
public:
    virtual int HitTest(TimeValue, INode*, int, int, int, IPoint2*, ViewExp*) { return 0; }
    virtual int Display(TimeValue, INode*, ViewExp*, int) { return 0; }
    virtual void Snap(TimeValue, INode*, SnapInfo*, IPoint2*, ViewExp*) {}
    virtual void GetWorldBoundBox(TimeValue, INode*, ViewExp*, Box3& box) { box.Init(); }
    virtual void GetLocalBoundBox(TimeValue, INode*, ViewExp*, Box3& box) { box.Init(); }
    virtual CreateMouseCallBack* GetCreateMouseCallBack() { return nullptr; }
    virtual void BeginEditParams(IObjParam*, ULONG, Animatable*) {}
    virtual void EndEditParams(IObjParam*, ULONG, Animatable*) {}
    virtual const char* GetObjectName() { return ""; }
};

class Object : public BaseObject {
public:
    Object();
    virtual ObjectState Eval(TimeValue t) = 0;
    virtual Interval ObjectValidity(TimeValue t);
    virtual void InitNodeName(TSTR& s) { s = GetObjectName(); }
    virtual void FreeCaches() {}
    // The base accepts only the object's own class.
    virtual int CanConvertToType(Class_ID obtype);
    // The base converts only to the object's own class: the object itself.
    virtual Object* ConvertToType(TimeValue t, Class_ID obtype);
    // The base offers no collapse targets.
    virtual void GetCollapseTypes(Tab<Class_ID>& clist, Tab<TSTR*>& nlist);
    virtual void GetDeformBBox(TimeValue, Box3& box, Matrix3* = nullptr, BOOL = FALSE) { box.Init(); }
    virtual int IsShapeObject() { return FALSE; }

    void SetChannelValidity(int nchan, Interval v);
    Interval ChannelValidity(TimeValue t, int nchan) const;

private:
    Interval channelValidity[NUM_OBJ_CHANS];
};

// Rendering settings every shape carries (the host's "Rendering" rollout).
struct ShapeRenderSettings {
    BOOL renderable = FALSE;
    float thickness = 1.0f;
    int sides = 12;
    float angle = 0.0f;
    BOOL generateUVs = FALSE;
    BOOL displayRenderMesh = FALSE;
};

class ShapeObject : public Object {
public:
    SClass_ID SuperClassID() override { return SHAPE_CLASS_ID; }
    int IsShapeObject() override { return TRUE; }
    ObjectState Eval(TimeValue) override { return ObjectState(this); }

    virtual int NumberOfVertices(TimeValue, int = -1) { return 0; }
    virtual int NumberOfCurves() = 0;
    virtual BOOL CurveClosed(TimeValue t, int curve) = 0;
    virtual Point3 InterpCurve3D(TimeValue t, int curve, float param, int ptype = PARAM_SIMPLE) = 0;
    virtual Point3 TangentCurve3D(TimeValue t, int curve, float param, int ptype = PARAM_SIMPLE) = 0;
    virtual float LengthOfCurve(TimeValue t, int curve) = 0;
    virtual int NumberOfPieces(TimeValue t, int curve) = 0;
    virtual Point3 InterpPiece3D(TimeValue t, int curve, int piece, float param, int ptype = PARAM_SIMPLE) = 0;
    virtual Point3 TangentPiece3D(TimeValue t, int curve, int piece, float param, int ptype = PARAM_SIMPLE) = 0;
    virtual int GetMatID(TimeValue, int, int) { return 0; }
    virtual BOOL CanMakeBezier() { return FALSE; }
    virtual void MakeBezier(TimeValue, BezierShape&) {}
    virtual ShapeHierarchy& OrganizeCurves(TimeValue t, ShapeHierarchy* hier = nullptr) = 0;
    virtual void MakePolyShape(TimeValue t, PolyShape& shape, int steps = PSHAPE_BUILTIN_STEPS,
                               BOOL optimize = FALSE) = 0;
    virtual int MakeCap(TimeValue t, MeshCapInfo& capInfo, int capType) = 0;
    virtual int MakeCap(TimeValue t, PatchCapInfo& capInfo) = 0;
    virtual BOOL AttachShape(TimeValue, INode*, INode*, BOOL = FALSE, float = 0.0f) { return FALSE; }

    // The base shape's own box: what its render settings add in the viewport
    // (a thickness grown around nothing), empty unless the render mesh is shown.
    Box3 GetBoundingBox(TimeValue t, Matrix3* tm = nullptr);
    // The base draws nothing of its own unless the render mesh is shown.
    int Display(TimeValue t, INode* inode, ViewExp* vpt, int flags) override;
    // Drops whatever the host cached of this shape's geometry for display;
    // the stand-in keeps no such cache and only counts the calls.
    void InvalidateGeomCache() { ++geomCacheInvalidations; }
    int geomCacheInvalidations = 0;
    // Copies the rendering settings; records an undo entry when the hold is on.
    void CopyBaseData(ShapeObject& from);

    ShapeRenderSettings renderSettings;
};
