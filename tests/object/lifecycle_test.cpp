// The trellis object in the reference system: slots, messages, clone, destruction.
#include <algorithm>
#include "support/cage_fixture.h"

namespace {

bool references(INode* node, ReferenceMaker* maker) {
    const auto& deps = node->Dependents();
    return std::find(deps.begin(), deps.end(), maker) != deps.end();
}

TEST(TrellisLifecycle, FreshObject) {
    TrellisObject* obj = new TrellisObject();
    EXPECT_EQ(obj->NumRefs(), 201);
    EXPECT_NE(obj->GetReference(0), nullptr);
    for (int i = 1; i <= 200; ++i) EXPECT_EQ(obj->GetReference(i), nullptr) << "slot " << i;
    EXPECT_TRUE(obj->TestAFlag(A_OBJ_CREATING));
    EXPECT_EQ(obj->shapeValid, NEVER);
    EXPECT_EQ(obj->SuperClassID(), SHAPE_CLASS_ID);
    EXPECT_TRUE(obj->ClassID() == Class_ID(0x16F73A7F, 0x5F0D3760));
    EXPECT_EQ(obj->pblock->GetVersion(), 6u);
    obj->DeleteThis();
}

TEST(TrellisLifecycle, DeletingAMiddleSectionLeavesAHoleInPlace) {
    CageScene s;
    std::vector<INode*> nodes;
    for (int i = 0; i < 5; ++i)
        nodes.push_back(s.addNode("S" + std::to_string(i), makeSplineShape(row(3, 0.0f), false), Point3(0.0f, 0.0f, 10.0f * static_cast<float>(i))));
    s.setSections(nodes);
    s.obj->sectionCount = 5;
    s.scene.DeleteNode(nodes[2]);
    for (int slot = 1; slot <= 5; ++slot)
        EXPECT_EQ(s.obj->GetReference(slot), slot == 3 ? nullptr : nodes[slot - 1]) << "slot " << slot;
    EXPECT_EQ(s.obj->sectionCount, 5);
    EXPECT_EQ(s.cage().SplineCount(), 4 + 3);
}

TEST(TrellisLifecycle, DeletingTheFirstSectionEmptiesTheCage) {
    CageScene s;
    INode* a = s.addNode("A", makeSplineShape(row(3, 0.0f), false));
    s.setSections({a, s.addNode("B", makeSplineShape(row(3, 0.0f), false), Point3(0, 0, 5))});
    EXPECT_GT(s.cage().SplineCount(), 0);
    s.scene.DeleteNode(a);
    EXPECT_EQ(s.cage().SplineCount(), 0);
}

TEST(TrellisLifecycle, ANodeHeldTwiceIsNulledInBothSlots) {
    CageScene s;
    INode* a = s.addNode("A", makeSplineShape(row(3, 0.0f), false));
    s.setSection(1, a);
    s.setSection(7, a);
    s.scene.DeleteNode(a);
    EXPECT_EQ(s.obj->GetReference(1), nullptr);
    EXPECT_EQ(s.obj->GetReference(7), nullptr);
}

TEST(TrellisLifecycle, CloneKeepsSplineTypeButNoSections) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(row(3, 0.0f), false))});
    s.setSplineType(2);
    RemapDir remap;
    TrellisObject* clone = static_cast<TrellisObject*>(s.obj->Clone(remap));
    int value = -1;
    Interval iv = FOREVER;
    clone->pblock->GetValue(PB_SPLINETYPE, 0, value, iv);
    EXPECT_EQ(value, 2);
    EXPECT_NE(clone->pblock, s.obj->pblock);
    for (int i = 1; i <= 200; ++i) EXPECT_EQ(clone->GetReference(i), nullptr);
    EXPECT_EQ(clone->shapeValid, NEVER);
    EXPECT_EQ(clone->NumberOfVertices(0, -1), 0);
    s.setSplineType(1);
    clone->pblock->GetValue(PB_SPLINETYPE, 0, value, iv);
    EXPECT_EQ(value, 2) << "the clone's block is its own";
    clone->DeleteThis();
}

TEST(TrellisLifecycle, ParameterNameAndDimensionRequests) {
    TrellisObject* obj = new TrellisObject();
    for (int index : {0, 1, 5}) {
        TSTR name("unchanged");
        GetParamName request(name, index);
        PartID part = reinterpret_cast<PartID>(&request);
        EXPECT_EQ(obj->NotifyRefChanged(FOREVER, obj->pblock, part, REFMSG_GET_PARAM_NAME), REF_STOP);
        EXPECT_STREQ(name.data(), index == 0 ? "SplineType" : "");
    }
    GetParamDim dim(0);
    PartID part = reinterpret_cast<PartID>(&dim);
    EXPECT_EQ(obj->NotifyRefChanged(FOREVER, obj->pblock, part, REFMSG_GET_PARAM_DIM), REF_STOP);
    EXPECT_EQ(dim.dim, defaultDim);
    obj->DeleteThis();
}

// Destroying the object releases its section references, so no node keeps
// a dependent entry pointing at freed memory.
TEST(TrellisLifecycle, DestructionReleasesSectionReferences) {
    Scene scene;
    INode* a = scene.CreateNode(makeSplineShape(row(3, 0.0f), false), "A");
    TrellisObject* obj = new TrellisObject();
    obj->ReplaceReference(1, a, TRUE);
    obj->ReplaceReference(2, a, TRUE);
    EXPECT_TRUE(references(a, obj));
    obj->DeleteThis();
    EXPECT_EQ(a->DependentCount(), 0);
}

TEST(TrellisLifecycle, DeletedParameterBlockFallsBackToCorners) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(row(3, 0.0f), false)),
                   s.addNode("B", makeSplineShape(row(3, 0.0f), false), Point3(0, 5, 10)),
                   s.addNode("C", makeSplineShape(row(3, 0.0f), false), Point3(0, 0, 20))});
    s.setSplineType(1);
    s.obj->pblock->DeleteMe();
    EXPECT_EQ(s.obj->pblock, nullptr);
    const BezierShape& cage = s.cage();
    ASSERT_EQ(cage.SplineCount(), 6);
    EXPECT_EQ(cage.GetSpline(3)->GetKnotType(1), KTYPE_CORNER);
}

}  // namespace
