// Scene pieces of the host stand-in: node transforms and their validity, the
// scene's ownership of nodes, the undo hold, and the base and shape objects.
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>
#include "max.h"

namespace {

const float kTol = 1e-5f;

void expectNear(const Point3& got, const Point3& want) {
    EXPECT_NEAR(got.x, want.x, kTol);
    EXPECT_NEAR(got.y, want.y, kTol);
    EXPECT_NEAR(got.z, want.z, kTol);
}

TMKey keyAt(TimeValue t, Point3 position, Point3 rotation = Point3(0.0f, 0.0f, 0.0f)) {
    TMKey k;
    k.time = t;
    k.position = position;
    k.rotation = rotation;
    return k;
}

// Counts change messages and the part ids they carry.
class ChangeCounter : public ReferenceTarget {
public:
    ~ChangeCounter() override { DeleteAllRefsFromMe(); }
    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int) override { return held; }
    void SetReference(int, RefTargetHandle t) override { held = t; }
    RefResult NotifyRefChanged(Interval, RefTargetHandle, PartID& part, RefMessage msg) override {
        if (msg == REFMSG_CHANGE) parts.push_back(part);
        return REF_SUCCEED;
    }
    RefTargetHandle held = nullptr;
    std::vector<PartID> parts;
};

class WatchedMesh : public TriObject {
public:
    explicit WatchedMesh(bool* flag) : deleted(flag) {}
    ~WatchedMesh() override { *deleted = true; }
    bool* deleted;
};

// --- Transform validity -------------------------------------------------

struct ValidityCase {
    const char* name;
    bool animated;
    TimeValue t;
    Interval expected;
};
void PrintTo(const ValidityCase& c, std::ostream* os) { *os << c.name; }

class NodeValidity : public ::testing::TestWithParam<ValidityCase> {};

TEST_P(NodeValidity, NarrowsToTheSpanOverWhichTheTransformHolds) {
    const ValidityCase& c = GetParam();
    Scene scene;
    INode* node = scene.CreateNode(nullptr, "n");
    if (c.animated)
        node->GetTMController()->SetKeys(
            {keyAt(200, Point3(10.0f, 0.0f, 0.0f)), keyAt(100, Point3(0.0f, 0.0f, 0.0f))});
    Interval valid = FOREVER;
    node->GetNodeTM(c.t, &valid);
    EXPECT_EQ(valid, c.expected);

    Interval objectValid = FOREVER;
    node->GetObjectTM(c.t, &objectValid);
    EXPECT_EQ(objectValid, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys100And200, NodeValidity,
    ::testing::Values(ValidityCase{"BeforeFirstKey", true, 50, Interval(TIME_NegInfinity, 100)},
                      ValidityCase{"AtFirstKey", true, 100, Interval(TIME_NegInfinity, 100)},
                      ValidityCase{"BetweenKeys", true, 150, Interval(150, 150)},
                      ValidityCase{"AtLastKey", true, 200, Interval(200, TIME_PosInfinity)},
                      ValidityCase{"AfterLastKey", true, 900, Interval(200, TIME_PosInfinity)},
                      ValidityCase{"Constant", false, 150, FOREVER}),
    [](const ::testing::TestParamInfo<ValidityCase>& p) { return std::string(p.param.name); });

TEST(NodeTransform, InterpolatesLinearlyBetweenKeysAndHoldsOutside) {
    PRSControl control;
    control.SetKeys({keyAt(100, Point3(0.0f, 0.0f, 0.0f)), keyAt(200, Point3(10.0f, -4.0f, 2.0f))});
    EXPECT_EQ(control.Sample(150).position, Point3(5.0f, -2.0f, 1.0f));
    EXPECT_EQ(control.Sample(0).position, Point3(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(control.Sample(5000).position, Point3(10.0f, -4.0f, 2.0f));
}

TEST(NodeTransform, ComposesScaleThenRotationThenTranslation) {
    Matrix3 tm = ComposeTM(Point3(10.0f, 0.0f, 0.0f), Point3(0.0f, 0.0f, 90.0f), Point3(2.0f, 2.0f, 2.0f));
    expectNear(Point3(1.0f, 0.0f, 0.0f) * tm, Point3(10.0f, 2.0f, 0.0f));
}

TEST(NodeTransform, ObjectTransformAppliesThePivotBeforeTheNode) {
    Scene scene;
    INode* node = scene.CreateNode(nullptr, "n");
    node->GetTMController()->SetStatic(keyAt(0, Point3(0.0f, 0.0f, 5.0f), Point3(0.0f, 0.0f, 90.0f)));
    node->SetObjOffset(TransMatrix(Point3(1.0f, 0.0f, 0.0f)));

    Matrix3 objectTM = node->GetObjectTM(0);
    expectNear(Point3(0.0f, 0.0f, 0.0f) * objectTM, Point3(0.0f, 1.0f, 5.0f));
    expectNear(VectorTransform(objectTM, Point3(1.0f, 0.0f, 0.0f)), Point3(0.0f, 1.0f, 0.0f));
    expectNear(Point3(0.0f, 0.0f, 0.0f) * node->GetObjTMAfterWSM(0), Point3(0.0f, 1.0f, 5.0f));
}

// --- Scene ---------------------------------------------------------------

TEST(Scene, EvaluatesHiddenNodesOnlyWhenAsked) {
    Scene scene;
    TriObject* mesh = new TriObject;
    INode* node = scene.CreateNode(mesh, "n");
    node->Hide(TRUE);
    EXPECT_EQ(node->EvalWorldState(0, FALSE).obj, nullptr);
    EXPECT_EQ(node->EvalWorldState(0, TRUE).obj, mesh);
    EXPECT_EQ(scene.CreateNode(nullptr, "empty")->EvalWorldState(0).obj, nullptr);
}

TEST(Scene, DeletingOneInstanceKeepsTheSharedObject) {
    bool deleted = false;
    Scene scene;
    WatchedMesh* mesh = new WatchedMesh(&deleted);
    INode* first = scene.CreateNode(mesh, "a");
    INode* second = scene.CreateNode(nullptr, "b");
    second->SetObjectRef(mesh);

    scene.DeleteNode(first);
    EXPECT_FALSE(deleted);
    EXPECT_EQ(second->GetObjectRef(), mesh);

    scene.DeleteNode(second);
    EXPECT_TRUE(deleted);
}

// --- Undo hold -----------------------------------------------------------

class Recorder : public RestoreObj {
public:
    Recorder(std::vector<int>* log, int id) : restored(log), tag(id) {}
    void Restore(int) override { restored->push_back(tag); }
    void Redo() override {}
    std::vector<int>* restored;
    int tag;
};

// theHold is process-wide: every test leaves it closed and resumed.
class HoldTest : public ::testing::Test {
protected:
    void TearDown() override {
        while (theHold.IsSuspended()) theHold.Resume();
        theHold.Cancel();
    }
    std::vector<int> restored;
};

TEST_F(HoldTest, RecordsOnlyWhileHoldingAndNotSuspended) {
    theHold.Put(new Recorder(&restored, 0));
    EXPECT_EQ(theHold.RecordCount(), 0);

    theHold.Begin();
    theHold.Put(new Recorder(&restored, 1));
    theHold.Suspend();
    theHold.Suspend();
    theHold.Put(new Recorder(&restored, 2));
    theHold.Resume();
    theHold.Put(new Recorder(&restored, 3));  // still suspended once
    EXPECT_EQ(theHold.RecordCount(), 1);
    theHold.Resume();
    theHold.Put(new Recorder(&restored, 4));
    EXPECT_EQ(theHold.RecordCount(), 2);
}

TEST_F(HoldTest, CancelRestoresNewestFirstAndAcceptKeepsNothing) {
    theHold.Begin();
    for (int i = 1; i <= 3; ++i) theHold.Put(new Recorder(&restored, i));
    theHold.Cancel();
    EXPECT_EQ(restored, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(theHold.RecordCount(), 0);

    const int accepted = theHold.AcceptedCount();
    theHold.Begin();
    theHold.Put(new Recorder(&restored, 9));
    theHold.Accept("edit");
    EXPECT_EQ(theHold.AcceptedCount(), accepted + 1);
    EXPECT_EQ(theHold.RecordCount(), 0);
    EXPECT_EQ(theHold.Holding(), 0);
}

TEST_F(HoldTest, CopyBaseDataIsUndoableUnlessTheHoldIsSuspended) {
    SplineShape from, to;
    from.renderSettings.thickness = 4.0f;
    theHold.Begin();

    theHold.Suspend();
    to.CopyBaseData(from);
    theHold.Resume();
    EXPECT_EQ(theHold.RecordCount(), 0);

    to.renderSettings.thickness = 2.0f;
    to.CopyBaseData(from);
    EXPECT_EQ(to.renderSettings.thickness, 4.0f);
    EXPECT_EQ(theHold.RecordCount(), 1);
    theHold.Cancel();
    EXPECT_EQ(to.renderSettings.thickness, 2.0f);
}

// --- Objects -------------------------------------------------------------

struct ConvertCase {
    const char* name;
    Class_ID id;
    BOOL expected;
};
void PrintTo(const ConvertCase& c, std::ostream* os) { *os << c.name; }

class MeshConversion : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(MeshConversion, AnswersForTheClassesAMeshTurnsInto) {
    EXPECT_EQ(CanConvertTriObject(GetParam().id), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    HostClasses, MeshConversion,
    ::testing::Values(ConvertCase{"Mesh", triObjectClassID, TRUE},
                      ConvertCase{"Deformable", defObjectClassID, TRUE},
                      ConvertCase{"Patch", patchObjectClassID, TRUE},
                      ConvertCase{"Mapping", mapObjectClassID, TRUE},
                      ConvertCase{"EditableSpline", splineShapeClassID, FALSE},
                      ConvertCase{"GenericShape", genericShapeClassID, FALSE},
                      ConvertCase{"LinearShape", linearShapeClassID, FALSE},
                      ConvertCase{"Unknown", Class_ID(0x1234, 0x5678), FALSE}),
    [](const ::testing::TestParamInfo<ConvertCase>& p) { return std::string(p.param.name); });

TEST(Objects, ShapeBoxIsEmptyUnlessTheRenderMeshIsShown) {
    SplineShape spline;
    EXPECT_TRUE(spline.GetBoundingBox(0).IsEmpty());
    spline.renderSettings.renderable = TRUE;
    EXPECT_TRUE(spline.GetBoundingBox(0).IsEmpty());
    spline.renderSettings.displayRenderMesh = TRUE;
    spline.renderSettings.thickness = 2.0f;
    Matrix3 moved = TransMatrix(Point3(5.0f, 0.0f, 0.0f));
    Box3 box = spline.GetBoundingBox(0, &moved);
    EXPECT_EQ(box.pmin, Point3(4.0f, -1.0f, -1.0f));
    EXPECT_EQ(box.pmax, Point3(6.0f, 1.0f, 1.0f));
}

void addLine(BezierShape& shape, Point3 a, Point3 b) {
    Spline3D* s = shape.NewSpline();
    s->AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_LINE, a, a, a));
    s->AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_LINE, b, b, b));
    s->ComputeBezPoints();
}

TEST(Objects, ShapeChangedTellsDependentsTopologyAndGeometry) {
    SplineShape* spline = new SplineShape;  // deleted when the observer lets go of it
    ChangeCounter observer;
    observer.MakeRefByID(FOREVER, 0, spline);
    spline->ShapeChanged();
    EXPECT_EQ(observer.parts, std::vector<PartID>{PART_TOPO | PART_GEOM});
}

TEST(Objects, CurveIndexOutsideTheShapeAnswersNeutralValues) {
    SplineShape spline;
    addLine(spline.shape, Point3(0.0f, 0.0f, 0.0f), Point3(3.0f, 0.0f, 0.0f));
    for (int curve : {-1, 1, 100}) {
        SCOPED_TRACE(curve);
        EXPECT_EQ(spline.CurveClosed(0, curve), FALSE);
        EXPECT_EQ(spline.LengthOfCurve(0, curve), 0.0f);
        EXPECT_EQ(spline.NumberOfPieces(0, curve), 0);
        EXPECT_EQ(spline.InterpPiece3D(0, curve, 0, 0.5f), Point3::Origin());
    }
    EXPECT_EQ(spline.InterpPiece3D(0, 0, 5, 0.5f), Point3::Origin());
    EXPECT_EQ(spline.NumberOfVertices(0, -1), 2);
}

TEST(Objects, LinearShapeMeasuresItsPolylines) {
    LinearShape square;
    PolyLine& line = square.shape.NewLine();
    for (Point3 p : {Point3(0, 0, 0), Point3(1, 0, 0), Point3(1, 1, 0), Point3(0, 1, 0)}) line.Append(PolyPt(p));
    line.Close();

    EXPECT_FALSE(square.CanMakeBezier());
    EXPECT_EQ(square.NumberOfPieces(0, 0), 4);
    EXPECT_NEAR(square.LengthOfCurve(0, 0), 4.0f, 1e-4f);
    expectNear(square.InterpPiece3D(0, 0, 1, 0.5f), Point3(1.0f, 0.5f, 0.0f));
    PolyShape out;
    square.MakePolyShape(0, out, 1, TRUE);
    ASSERT_EQ(out.numLines(), 1);
    EXPECT_EQ(out.lines[0].numPts(), 4);
    EXPECT_EQ(square.LengthOfCurve(0, 1), 0.0f);
}

}  // namespace
