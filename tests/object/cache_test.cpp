// The shape cache and the host's queries of the trellis object.
#include "support/cage_fixture.h"

namespace {

// Rebuilds are counted through the cached shape's geometry-cache resets,
// which only UpdateShape performs.
int rebuilds(const TrellisObject& obj) { return obj.shape.geomCacheInvalidations; }

// A section whose shape changes over time while its node stands still.
class GrowingShape : public SplineShape {
public:
    void MakeBezier(TimeValue t, BezierShape& s) override {
        s = shape;
        Spline3D* sp = s.GetSpline(0);
        for (int k = 0; k < sp->KnotCount(); ++k) sp->SetKnotPoint(k, sp->GetKnotPoint(k) * (1.0f + static_cast<float>(t) / 4800.0f));
        sp->ComputeBezPoints();
    }
};

TEST(TrellisCache, QueriesAtOneTimeShareOneRebuild) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(row(3, 0.0f), false))});
    int before = rebuilds(*s.obj);
    s.obj->NumberOfVertices(0, -1);
    s.obj->CurveClosed(0, 0);
    s.obj->LengthOfCurve(0, 0);
    s.obj->InterpCurve3D(0, 0, 0.5f);
    EXPECT_EQ(rebuilds(*s.obj) - before, 1);
    // A constant scene is valid forever: another time needs no rebuild.
    s.obj->NumberOfVertices(9600, -1);
    EXPECT_EQ(rebuilds(*s.obj) - before, 1);
    EXPECT_EQ(s.obj->shapeValid, FOREVER);
}

TEST(TrellisCache, EmptyObjectStaysValidForever) {
    TrellisObject* obj = new TrellisObject();
    EXPECT_EQ(obj->NumberOfVertices(0, -1), 0);
    EXPECT_EQ(obj->NumberOfCurves(), 0);
    EXPECT_EQ(obj->shapeValid, FOREVER);
    obj->DeleteThis();
}

TEST(TrellisCache, AnimatedNodeInAnySlotNarrowsValidity) {
    for (int slot : {1, 2, 60}) {
        CageScene s;
        s.setSection(1, s.addNode("A", makeSplineShape(row(3, 0.0f), false)));
        INode* moving = s.addNode("Moving", makeSplineShape(row(3, 0.0f), false));
        TMKey k0, k1;
        k0.time = 0;
        k1.time = 4800;
        k1.position = Point3(0.0f, 0.0f, 50.0f);
        moving->GetTMController()->SetKeys({k0, k1});
        s.setSection(slot, moving);
        s.cage(2400);
        EXPECT_EQ(s.obj->shapeValid, Interval(2400, 2400)) << "slot " << slot;
        s.cage(9600);
        EXPECT_EQ(s.obj->shapeValid, Interval(4800, TIME_PosInfinity)) << "slot " << slot;
    }
}

TEST(TrellisCache, AnimatedSectionShapeAloneDoesNotNarrow) {
    CageScene s;
    GrowingShape* growing = new GrowingShape();
    Spline3D* sp = growing->shape.NewSpline();
    for (const Point3& p : row(3, 0.0f)) sp->AddKnot(SplineKnot(KTYPE_CORNER, LTYPE_CURVE, p, p, p));
    sp->ComputeBezPoints();
    s.setSections({s.addNode("A", growing)});
    s.cage(2400);
    EXPECT_EQ(s.obj->shapeValid, FOREVER);
}

TEST(TrellisCache, ChangeMessagesMakeTheCacheStale) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(row(3, 0.0f), false))});
    s.cage();
    s.setSplineType(3);
    EXPECT_EQ(s.obj->shapeValid, NEVER);
    s.cage();
    TMKey moved;
    moved.position = Point3(1.0f, 0.0f, 0.0f);
    static_cast<INode*>(s.obj->GetReference(1))->GetTMController()->SetStatic(moved);
    EXPECT_EQ(s.obj->shapeValid, NEVER);
}

TEST(TrellisCache, NumberOfCurvesRebuildsAtTheHostsTime) {
    CageScene s;
    INode* a = s.addNode("A", makeSplineShape(row(3, 0.0f), false));
    TMKey k0, k1;
    k1.time = 4800;
    a->GetTMController()->SetKeys({k0, k1});
    s.setSections({a});
    s.cage(0);
    GetCOREInterface()->SetTime(1000);
    s.obj->NumberOfCurves();
    EXPECT_EQ(s.obj->shapeValid, Interval(1000, 1000));
    GetCOREInterface()->SetTime(0);
}

TEST(TrellisCache, FreeCachesForcesARebuild) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(row(3, 0.0f), false))});
    s.cage();
    int before = rebuilds(*s.obj);
    s.obj->FreeCaches();
    EXPECT_EQ(s.obj->shape.SplineCount(), 0);
    s.cage();
    EXPECT_EQ(rebuilds(*s.obj) - before, 1);
}

TEST(TrellisCache, ObjectValidityNeverRebuilds) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(row(3, 0.0f), false))});
    int before = rebuilds(*s.obj);
    EXPECT_EQ(s.obj->ObjectValidity(0), FOREVER);
    EXPECT_EQ(rebuilds(*s.obj), before);
    EXPECT_EQ(s.obj->shapeValid, NEVER);
}

TEST(TrellisCache, FixedAnswers) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(ring(4, 3.0f), true)),
                   s.addNode("B", makeSplineShape(ring(4, 3.0f), true), Point3(0, 0, 5))});
    EXPECT_EQ(s.obj->CurveClosed(0, 0), 1);
    EXPECT_EQ(s.obj->CurveClosed(0, 1), 1);
    for (int rib = 2; rib < 6; ++rib) EXPECT_EQ(s.obj->CurveClosed(0, rib), 0) << "rib " << rib;
    EXPECT_EQ(s.obj->GetMatID(0, 0, 0), 0);
    EXPECT_EQ(s.obj->GetMatID(0, 5, 3), 0);
    EXPECT_FALSE(s.obj->CanMakeBezier());
    EXPECT_FALSE(s.obj->AttachShape(0, s.objNode, s.objNode));
    EXPECT_EQ(s.obj->NumberOfPieces(0, 0), 4);
    EXPECT_EQ(s.obj->NumberOfPieces(0, 2), 1);
    EXPECT_EQ(s.obj->NumberOfVertices(0, -1), 4 + 4 + 4 * 2);
    EXPECT_EQ(s.obj->Eval(0).obj, s.obj);
}

struct AssertCase {
    const char* query;
    int line;
};

class CurveIndexOutOfRange : public ::testing::TestWithParam<AssertCase> {};

TEST_P(CurveIndexOutOfRange, IsReportedAndAnswersNeutrally) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(row(3, 0.0f), false))});
    SetAssertQuiet(true);
    ClearAssertLog();
    std::string q = GetParam().query;
    for (int curve : {1, -1}) {
        if (q == "NumberOfVertices" && curve < 0) continue;  // a negative curve asks for all curves
        if (q == "CurveClosed") { EXPECT_EQ(s.obj->CurveClosed(0, curve), 0); }
        if (q == "InterpCurve3D") { EXPECT_EQ(s.obj->InterpCurve3D(0, curve, 0.5f), Point3(0, 0, 0)); }
        if (q == "TangentCurve3D") { EXPECT_EQ(s.obj->TangentCurve3D(0, curve, 0.5f), Point3(0, 0, 0)); }
        if (q == "LengthOfCurve") { EXPECT_EQ(s.obj->LengthOfCurve(0, curve), 0.0f); }
        if (q == "NumberOfPieces") { EXPECT_EQ(s.obj->NumberOfPieces(0, curve), 0); }
        if (q == "InterpPiece3D") { EXPECT_EQ(s.obj->InterpPiece3D(0, curve, 0, 0.5f), Point3(0, 0, 0)); }
        if (q == "TangentPiece3D") { EXPECT_EQ(s.obj->TangentPiece3D(0, curve, 0, 0.5f), Point3(0, 0, 0)); }
        if (q == "NumberOfVertices") { EXPECT_EQ(s.obj->NumberOfVertices(0, curve), 0); }
    }
    ASSERT_FALSE(AssertLog().empty());
    for (const AssertReport& r : AssertLog()) {
        EXPECT_EQ(r.line, GetParam().line);
        EXPECT_EQ(r.file, "DONUT");
    }
    SetAssertQuiet(false);
}

INSTANTIATE_TEST_SUITE_P(Queries, CurveIndexOutOfRange,
                         ::testing::Values(AssertCase{"CurveClosed", 1572}, AssertCase{"InterpCurve3D", 1581},
                                           AssertCase{"TangentCurve3D", 1588}, AssertCase{"LengthOfCurve", 1595},
                                           AssertCase{"NumberOfPieces", 1602}, AssertCase{"InterpPiece3D", 1609},
                                           AssertCase{"TangentPiece3D", 1616}, AssertCase{"NumberOfVertices", 1666}),
                         [](const ::testing::TestParamInfo<AssertCase>& p) { return std::string(p.param.query); });

// The world box is the local box carried through the node's object
// transform, not the box of the transformed knots.
TEST(TrellisCache, WorldBoxIsTheLocalBoxCarriedThroughTheNode) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(ring(4, 10.0f), true))});
    TMKey key;
    key.position = Point3(100.0f, 0.0f, 0.0f);
    key.rotation = Point3(0.0f, 0.0f, 45.0f);
    s.objNode->GetTMController()->SetStatic(key);
    ViewExp vpt;
    Box3 local, world;
    s.obj->GetLocalBoundBox(0, s.objNode, &vpt, local);
    s.obj->GetWorldBoundBox(0, s.objNode, &vpt, world);
    Box3 expected = local * s.objNode->GetObjectTM(0);
    expectNear(world.pmin, expected.pmin, 1e-3f, "min");
    expectNear(world.pmax, expected.pmax, 1e-3f, "max");
    // A rotated square's corners reach further than its knots do.
    EXPECT_GT(world.pmax.x - world.pmin.x, 20.0f * 1.2f);
}

TEST(TrellisCache, DisplayDrawsEveryCurveAndAnswersZero) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(ring(4, 10.0f), true)),
                   s.addNode("B", makeSplineShape(ring(4, 10.0f), true), Point3(0, 0, 10))});
    ViewExp vpt;
    EXPECT_EQ(s.obj->Display(0, s.objNode, &vpt, 0), 0);
    EXPECT_EQ(static_cast<int>(vpt.getGW()->Polylines().size()), 6);
}

TEST(TrellisCache, HitTestFindsTheCageNearACurve) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(row(3, 0.0f), false))});
    ViewExp vpt;
    IPoint2 onCurve = vpt.getGW()->ObjectToScreen(Point3(10.0f, 0.0f, 0.0f));
    IPoint2 far(onCurve.x + 50, onCurve.y + 50);
    EXPECT_EQ(s.obj->HitTest(0, s.objNode, HITTYPE_POINT, TRUE, 0, &onCurve, &vpt), 1);
    EXPECT_EQ(s.obj->HitTest(0, s.objNode, HITTYPE_POINT, TRUE, 0, &far, &vpt), 0);
}

}  // namespace
