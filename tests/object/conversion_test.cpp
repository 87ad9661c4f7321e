// Conversion of the trellis object into an editable spline.
#include "support/cage_fixture.h"

namespace {

TEST(TrellisConversion, IsASnapshotOfTheCage) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(row(3, 0.0f), false)),
                   s.addNode("B", makeSplineShape(row(3, 0.0f), false), Point3(0, 0, 10))});
    Object* converted = s.obj->ConvertToType(0, splineShapeClassID);
    ASSERT_NE(converted, nullptr);
    SplineShape* spline = static_cast<SplineShape*>(converted);
    ASSERT_EQ(spline->shape.SplineCount(), 5);
    Point3 before = spline->shape.GetSpline(2)->GetKnotPoint(1);
    s.setSection(2, s.addNode("C", makeSplineShape(row(3, 0.0f), false), Point3(0, 0, 30)));
    s.setSplineType(1);
    EXPECT_NE(s.cage().GetSpline(2)->GetKnotPoint(1), before);
    EXPECT_EQ(spline->shape.GetSpline(2)->GetKnotPoint(1), before);
    EXPECT_EQ(spline->ChannelValidity(0, TOPO_CHAN_NUM), FOREVER);
    EXPECT_EQ(spline->ChannelValidity(0, GEOM_CHAN_NUM), FOREVER);
    converted->DeleteThis();
}

TEST(TrellisConversion, EmptyObjectGivesAnEmptySpline) {
    TrellisObject* obj = new TrellisObject();
    Object* converted = obj->ConvertToType(0, splineShapeClassID);
    ASSERT_NE(converted, nullptr);
    EXPECT_EQ(static_cast<SplineShape*>(converted)->shape.SplineCount(), 0);
    converted->DeleteThis();
    obj->DeleteThis();
}

TEST(TrellisConversion, TwoConversionsAreDistinctAndEqual) {
    CageScene s;
    s.setSections({s.addNode("A", makeSplineShape(ring(5, 2.0f), true))});
    SplineShape* a = static_cast<SplineShape*>(s.obj->ConvertToType(0, splineShapeClassID));
    SplineShape* b = static_cast<SplineShape*>(s.obj->ConvertToType(0, genericShapeClassID));
    ASSERT_NE(a, b);
    ASSERT_EQ(a->shape.SplineCount(), b->shape.SplineCount());
    for (int k = 0; k < 5; ++k) EXPECT_EQ(a->shape.GetSpline(0)->GetKnotPoint(k), b->shape.GetSpline(0)->GetKnotPoint(k));
    a->DeleteThis();
    b->DeleteThis();
}

TEST(TrellisConversion, AcceptedClasses) {
    TrellisObject* obj = new TrellisObject();
    EXPECT_EQ(obj->CanConvertToType(splineShapeClassID), 1);
    EXPECT_EQ(obj->CanConvertToType(genericShapeClassID), 1);
    EXPECT_EQ(obj->CanConvertToType(obj->ClassID()), 1);
    EXPECT_EQ(obj->CanConvertToType(defObjectClassID), CanConvertTriObject(defObjectClassID) ? 1 : 0);
    EXPECT_EQ(obj->CanConvertToType(Class_ID(0x1234, 0x5678)), 0);
    // Accepted through the mesh object's conversions only: nothing builds one.
    EXPECT_EQ(obj->CanConvertToType(triObjectClassID), 1);
    EXPECT_EQ(obj->ConvertToType(0, triObjectClassID), nullptr);
    EXPECT_EQ(obj->ConvertToType(0, Class_ID(0x1234, 0x5678)), nullptr);
    // The default object class is converted although CanConvertToType does not name it.
    Object* def = obj->ConvertToType(0, defObjectClassID);
    ASSERT_NE(def, nullptr);
    EXPECT_TRUE(def->ClassID() == splineShapeClassID);
    def->DeleteThis();
    // The base converts the object's own class into itself.
    EXPECT_EQ(obj->ConvertToType(0, obj->ClassID()), obj);
    obj->DeleteThis();
}

TEST(TrellisConversion, LeavesNoUndoRecord) {
    TrellisObject* obj = new TrellisObject();
    theHold.Begin();
    int before = theHold.RecordCount();
    Object* converted = obj->ConvertToType(0, splineShapeClassID);
    EXPECT_EQ(theHold.RecordCount(), before);
    EXPECT_FALSE(theHold.IsSuspended());
    theHold.Accept("convert");
    converted->DeleteThis();
    obj->DeleteThis();
}

}  // namespace
