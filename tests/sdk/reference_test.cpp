// The reference system of the host stand-in: message delivery and
// propagation, dependency tests, reference replacement and deletion.
#include <gtest/gtest.h>
#include <vector>
#include "max.h"

namespace {

struct Received {
    RefMessage message;
    RefTargetHandle from;
    PartID part;
};

// A target with a few plain slots that logs every message it is sent.
// It does not null its own slots on REFMSG_TARGET_DELETED, so the tests see
// what the reference system itself does.
class Watcher : public ReferenceTarget {
public:
    explicit Watcher(SClass_ID sc = 0x99, RefResult ans = REF_SUCCEED) : sclass(sc), answer(ans) {}
    ~Watcher() override { DeleteAllRefsFromMe(); }

    SClass_ID SuperClassID() override { return sclass; }
    BOOL AutoDelete() override { return FALSE; }  // the tests own every watcher
    int NumRefs() override { return static_cast<int>(slots.size()); }
    RefTargetHandle GetReference(int i) override { return slots[i]; }
    void SetReference(int i, RefTargetHandle t) override { slots[i] = t; }
    RefResult NotifyRefChanged(Interval, RefTargetHandle from, PartID& part, RefMessage msg) override {
        log.push_back({msg, from, part});
        return answer;
    }
    int count(RefMessage msg) const {
        int n = 0;
        for (const Received& r : log) n += r.message == msg ? 1 : 0;
        return n;
    }

    std::vector<RefTargetHandle> slots = std::vector<RefTargetHandle>(3, nullptr);
    std::vector<Received> log;
    SClass_ID sclass;
    RefResult answer;
};

// A parameter block that reports its own destruction.
class WatchedBlock : public IParamBlock {
public:
    explicit WatchedBlock(bool* flag) : IParamBlock(nullptr, 0, 1), deleted(flag) {}
    ~WatchedBlock() override { *deleted = true; }
    bool* deleted;
};

class WatchedMesh : public TriObject {
public:
    explicit WatchedMesh(bool* flag) : deleted(flag) {}
    ~WatchedMesh() override { *deleted = true; }
    bool* deleted;
};

TEST(References, ControllerChangeTravelsThroughTheNodeToItsDependents) {
    Scene scene;
    INode* node = scene.CreateNode(nullptr, "moved");
    Watcher observer;
    observer.MakeRefByID(FOREVER, 0, node);

    TMKey key;
    key.position = Point3(1.0f, 2.0f, 3.0f);
    node->GetTMController()->SetStatic(key);

    ASSERT_EQ(observer.count(REFMSG_CHANGE), 1);
    EXPECT_EQ(observer.log[0].from, node);
    EXPECT_EQ(observer.log[0].part, PART_TM);
}

TEST(References, StopAnswerEndsPropagation) {
    Watcher source, stopper(0x99, REF_STOP), beyond;
    stopper.MakeRefByID(FOREVER, 0, &source);
    beyond.MakeRefByID(FOREVER, 0, &stopper);

    source.NotifyDependents(FOREVER, PART_GEOM, REFMSG_CHANGE);

    EXPECT_EQ(stopper.count(REFMSG_CHANGE), 1);
    EXPECT_EQ(beyond.count(REFMSG_CHANGE), 0);
}

TEST(References, SuperClassFilterSelectsDependents) {
    Watcher source, shapeLike(SHAPE_CLASS_ID), other(GEOMOBJECT_CLASS_ID);
    shapeLike.MakeRefByID(FOREVER, 0, &source);
    other.MakeRefByID(FOREVER, 0, &source);

    source.NotifyDependents(FOREVER, PART_GEOM, REFMSG_CHANGE, SHAPE_CLASS_ID);

    EXPECT_EQ(shapeLike.count(REFMSG_CHANGE), 1);
    EXPECT_EQ(other.count(REFMSG_CHANGE), 0);
}

TEST(References, DependencyTestFlagsEverythingDownstreamAndNothingUpstream) {
    Watcher upstream, middle, downstream, furtherDown;
    middle.MakeRefByID(FOREVER, 0, &upstream);
    downstream.MakeRefByID(FOREVER, 0, &middle);
    furtherDown.MakeRefByID(FOREVER, 0, &downstream);

    middle.NotifyDependents(FOREVER, 0, REFMSG_TEST_DEPENDENCY);

    EXPECT_TRUE(downstream.TestAFlag(A_DEPENDENCY_TEST));
    EXPECT_TRUE(furtherDown.TestAFlag(A_DEPENDENCY_TEST));
    EXPECT_FALSE(middle.TestAFlag(A_DEPENDENCY_TEST));
    EXPECT_FALSE(upstream.TestAFlag(A_DEPENDENCY_TEST));
}

TEST(References, ReferenceCycleDeliversOnceEachInsteadOfRecursing) {
    Watcher a, b;
    b.MakeRefByID(FOREVER, 0, &a);
    a.MakeRefByID(FOREVER, 0, &b);

    a.NotifyDependents(FOREVER, PART_GEOM, REFMSG_CHANGE);

    EXPECT_EQ(b.count(REFMSG_CHANGE), 1);
    EXPECT_EQ(a.count(REFMSG_CHANGE), 1);  // back round the cycle, then the guard holds
}

TEST(References, ReplacingDeletesAnUnreferencedParameterBlock) {
    bool deleted = false;
    Watcher maker;
    maker.MakeRefByID(FOREVER, 0, new WatchedBlock(&deleted));

    maker.ReplaceReference(0, nullptr, TRUE);

    EXPECT_TRUE(deleted);
    EXPECT_EQ(maker.GetReference(0), nullptr);
}

TEST(References, ReplacingKeepsABlockStillReferencedElsewhere) {
    bool deleted = false;
    WatchedBlock* block = new WatchedBlock(&deleted);
    Watcher first, second;
    first.MakeRefByID(FOREVER, 0, block);
    second.MakeRefByID(FOREVER, 1, block);

    first.DeleteReference(0);
    EXPECT_FALSE(deleted);
    EXPECT_EQ(block->DependentCount(), 1);

    second.DeleteReference(1);
    EXPECT_TRUE(deleted);
}

TEST(References, ReplacingNeverDeletesASceneNode) {
    Scene scene;
    INode* node = scene.CreateNode(nullptr, "kept");
    Watcher maker;
    maker.MakeRefByID(FOREVER, 0, node);

    maker.ReplaceReference(0, nullptr, TRUE);

    EXPECT_EQ(scene.FindNode("kept"), node);
    EXPECT_EQ(node->DependentCount(), 0);
}

TEST(References, DeletingANodeNullsEverySlotHoldingItAndSaysSo) {
    bool meshDeleted = false;
    Scene scene;
    INode* node = scene.CreateNode(new WatchedMesh(&meshDeleted), "doomed");
    Watcher maker;
    maker.MakeRefByID(FOREVER, 0, node);
    maker.MakeRefByID(FOREVER, 2, node);
    EXPECT_EQ(node->DependentCount(), 2);  // one entry per slot

    scene.DeleteNode(node);

    EXPECT_EQ(maker.count(REFMSG_TARGET_DELETED), 2);  // delivered once per slot held
    EXPECT_EQ(maker.log.back().from, node);
    EXPECT_EQ(maker.GetReference(0), nullptr);
    EXPECT_EQ(maker.GetReference(2), nullptr);
    EXPECT_TRUE(meshDeleted);  // the node held the only reference to its object
    EXPECT_EQ(scene.NodeCount(), 0);
}

TEST(References, TargetDestroyedWhileReferencedNullsTheSlot) {
    Watcher maker;
    {
        Watcher target;
        maker.MakeRefByID(FOREVER, 1, &target);
    }
    EXPECT_EQ(maker.GetReference(1), nullptr);
}

TEST(References, MakerDestroyedFirstLeavesNoDependentBehind) {
    Watcher target;
    {
        Watcher maker;
        maker.MakeRefByID(FOREVER, 0, &target);
        maker.MakeRefByID(FOREVER, 1, &target);
    }
    EXPECT_EQ(target.DependentCount(), 0);
    target.NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);  // must not reach freed memory
}

}  // namespace
