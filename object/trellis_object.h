// TrellisObject: a procedural shape whose output is a cage of splines built
// from an ordered list of up to 100 section shapes.
#pragma once
#include "max.h"
#include "builder/cage_tables.h"
#include "object/itrellis_cage.h"

class IParamMap;
class TrellisCreateCallBack;

class TrellisObject : public ShapeObject, public IParamArray, public ITrellisCage {
public:
    TrellisObject();
    ~TrellisObject() override;

    // Identity.
    Class_ID ClassID() override { return TRELLIS_CLASS_ID; }
    void GetClassName(TSTR& s) override;
    void InitNodeName(TSTR& s) override;
    const char* GetObjectName() override;
    int NumSubs() override { return 1; }
    Animatable* SubAnim(int) override { return pblock; }
    TSTR SubAnimName(int) override { return TSTR(); }
    void DeleteThis() override { delete this; }
    void* GetInterface(ULONG id) override;

    // References.
    int NumRefs() override { return TRELLIS_NUM_REFS; }
    RefTargetHandle GetReference(int i) override;
    void SetReference(int i, RefTargetHandle target) override;
    RefResult NotifyRefChanged(Interval changeInt, RefTargetHandle hTarget, PartID& partID,
                               RefMessage message) override;
    ReferenceTarget* Clone(RemapDir& remap) override;

    // The shape cache and the host's shape queries.
    void UpdateShape(TimeValue t, BezierShape& target);
    void FreeCaches() override;
    int HitTest(TimeValue t, INode* inode, int type, int crossing, int flags, IPoint2* p, ViewExp* vpt) override;
    int Display(TimeValue t, INode* inode, ViewExp* vpt, int flags) override;
    void Snap(TimeValue t, INode* inode, SnapInfo* snap, IPoint2* p, ViewExp* vpt) override;
    void GetWorldBoundBox(TimeValue t, INode* inode, ViewExp* vpt, Box3& box) override;
    void GetLocalBoundBox(TimeValue t, INode* inode, ViewExp* vpt, Box3& box) override;
    ObjectState Eval(TimeValue t) override;
    void GetDeformBBox(TimeValue t, Box3& box, Matrix3* tm = nullptr, BOOL useSel = FALSE) override;
    Interval ObjectValidity(TimeValue t) override;
    int NumberOfVertices(TimeValue t, int curve = -1) override;
    int NumberOfCurves() override;
    BOOL CurveClosed(TimeValue t, int curve) override;
    Point3 InterpCurve3D(TimeValue t, int curve, float param, int ptype = PARAM_SIMPLE) override;
    Point3 TangentCurve3D(TimeValue t, int curve, float param, int ptype = PARAM_SIMPLE) override;
    float LengthOfCurve(TimeValue t, int curve) override;
    int NumberOfPieces(TimeValue t, int curve) override;
    Point3 InterpPiece3D(TimeValue t, int curve, int piece, float param, int ptype = PARAM_SIMPLE) override;
    Point3 TangentPiece3D(TimeValue t, int curve, int piece, float param, int ptype = PARAM_SIMPLE) override;
    int GetMatID(TimeValue t, int curve, int piece) override;
    BOOL CanMakeBezier() override { return FALSE; }
    void MakeBezier(TimeValue, BezierShape&) override {}
    ShapeHierarchy& OrganizeCurves(TimeValue t, ShapeHierarchy* hier = nullptr) override;
    void MakePolyShape(TimeValue t, PolyShape& pshape, int steps = PSHAPE_BUILTIN_STEPS, BOOL optimize = FALSE) override;
    int MakeCap(TimeValue t, MeshCapInfo& capInfo, int capType) override;
    int MakeCap(TimeValue t, PatchCapInfo& capInfo) override;
    BOOL AttachShape(TimeValue t, INode* thisNode, INode* attachNode, BOOL weldEnds = FALSE,
                     float weldThreshold = 0.0f) override;

    // The rollup and creation.
    void BeginEditParams(IObjParam* ip, ULONG flags, Animatable* prev) override;
    void EndEditParams(IObjParam* ip, ULONG flags, Animatable* next) override;
    CreateMouseCallBack* GetCreateMouseCallBack() override;

    // Conversion.
    int CanConvertToType(Class_ID obtype) override;
    Object* ConvertToType(TimeValue t, Class_ID obtype) override;
    void GetCollapseTypes(Tab<Class_ID>& clist, Tab<TSTR*>& nlist) override;

    // What the host reads of the last build (ITrellisCage).
    Interval CageValidity() override { return shapeValid; }
    int CageSectionCopies() override { return cageCopies; }
    int CagePairCount() override { return cageJoins.Count(); }
    TrellisPairJoin CagePairJoin(int pair) override { return cageJoins[pair]; }
    int CagePointCount() override { return cagePoints.Count(); }
    Point3 CagePoint(int i) override { return cagePoints[i]; }
    int CageLinkCount() override { return cageLinks.Count(); }
    CageLink CageLinkAt(int i) override { return cageLinks[i]; }

    // Every edit of the object ends here: the cache goes stale, then the
    // dependents hear of the change (the list edits' PART_TOPO unless the
    // edit says otherwise).
    void NotifyCageEdited(PartID parts = PART_TOPO);

    // The cage builder (gathering, then ribs or links and chains).
    void BuildCage(TimeValue t, BezierShape& target);
    // Index of the first cage point exactly equal to p; 0 when there is none.
    int FindCagePoint(Point3 p);

    // Data, in the host's declaration order.
    IParamBlock* pblock = nullptr;
    BezierShape shape;
    Interval shapeValid;
    int sectionCount = 0;
    HWND hPanel = nullptr;
    Tab<Point3> cagePoints;
    Tab<CageLink> cageLinks;
    // How the last build joined each pair of consecutive section copies,
    // and how many copies it laid.
    Tab<TrellisPairJoin> cageJoins;
    int cageCopies = 0;
    INode* sectionNodes[MAX_SECTIONS] = {};
    ReferenceTarget* reservedRefs[MAX_SECTIONS] = {};

    // Class-wide panel state: the object whose rollup is open, if any.
    static TrellisObject* editObject;
    // The host interface given to BeginEditParams; null while no rollup is open.
    static IObjParam* editInterface;
    // The rollup's map; kept between two objects when the host keeps the rollup.
    static IParamMap* paramMap;
    // Whether "Add", "Remove", "Up" and "Down" are to be enabled.
    static BOOL editingEnabled;
    // The class's one creation callback, bound to the latest object that asked for it.
    static TrellisCreateCallBack createCallBack;

private:
    // Redraws the open rollup when it shows this object.
    void redrawPanelIfEdited();
    // Whether curve is a spline index of the cache; reports the line when not.
    bool curveInRange(int curve, int assertLine);
    // Brings the cache up to date at t.
    void checkCache(TimeValue t);
    // Narrows shapeValid by every section node's transform validity at t.
    void narrowByNodeTransforms(TimeValue t);
    // Phases of BuildCage.
    bool gatherSections(TimeValue t, BezierShape& target);
    void recordJoins(int copies, int join, int links);
    int readKnotStyle(TimeValue t);
    void buildRibs(BezierShape& target, int n, int knotStyle);
    void linkSections(BezierShape& target, int n);
    void chainLinks(BezierShape& target, int knotStyle);
};
