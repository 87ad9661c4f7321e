// The trellis object's rollup: opening and closing it, the class-wide state
// behind it, the "SplineType" radio group, and creation by one click.
#include <ostream>
#include "createmode.h"
#include "panel/create_callback.h"
#include "support/panel_fixture.h"
#include "plugin/trellis_class_desc.h"

namespace {

const int kListButtons[] = {IDC_ADD, IDC_REMOVE, IDC_UP, IDC_DOWN};

class Rollup : public PanelTest {
protected:
    void expectListButtons(bool on) {
        for (int id : kListButtons) EXPECT_EQ(enabled(id), on) << "button " << id;
        EXPECT_TRUE(enabled(IDC_HELP_BUTTON));
    }
};

TEST_F(Rollup, OpensOneRollupTitledParametersFromDialog120) {
    openPanel(obj);
    ASSERT_EQ(host->GetRollups().size(), 1u);
    EXPECT_EQ(host->GetRollups()[0].title, "Parameters");
    EXPECT_EQ(host->GetRollups()[0].hwnd, panel());
    EXPECT_EQ(obj->hPanel, panel());
    EXPECT_EQ(TrellisObject::editObject, obj);
    EXPECT_EQ(TrellisObject::editInterface, host.get());
    for (int id : {IDC_LINEAR, IDC_SMOOTH, IDC_BEZIER, IDC_BEZIER_CORNER, IDC_SECTION_LIST, IDC_ADD, IDC_REMOVE,
                   IDC_UP, IDC_DOWN, IDC_HELP_BUTTON})
        EXPECT_NE(control(id), nullptr) << "control " << id;
    EXPECT_TRUE(checked(IDC_LINEAR));  // a new block's integer is 0
}

TEST_F(Rollup, ExistingObjectGetsItsListButtonsAtOnce) {
    openPanel(obj);
    expectListButtons(true);
}

TEST_F(Rollup, CreationKeepsListButtonsOffUntilThePlacingClick) {
    openPanel(obj, BEGIN_EDIT_CREATE);
    expectListButtons(false);
    ViewExp vpt;
    Matrix3 mat;
    CreateMouseCallBack* cb = obj->GetCreateMouseCallBack();
    EXPECT_EQ(cb->proc(&vpt, MOUSE_POINT, 0, 0, IPoint2(40, 30), mat), CREATE_STOP);
    expectListButtons(true);
    EXPECT_TRUE(TrellisObject::editingEnabled);
    EXPECT_TRUE(takeChanges().empty());  // placing tells the dependents nothing
}

TEST_F(Rollup, PlacingClickMovesTheTransformToTheSnappedPoint) {
    openPanel(obj, BEGIN_EDIT_CREATE);
    ViewExp vpt, reference;
    vpt.SetGridSpacing(10.0f);
    reference.SetGridSpacing(10.0f);
    IPoint2 mouse(43, 27), unused;
    const Point3 snapped = reference.SnapPoint(mouse, unused, nullptr, 1);
    Matrix3 mat;
    mat.SetRow(0, Point3(2.0f, 0.0f, 0.0f));
    EXPECT_EQ(obj->GetCreateMouseCallBack()->proc(&vpt, MOUSE_MOVE, 0, 0, mouse, mat), CREATE_STOP);
    EXPECT_EQ(mat.GetTrans(), snapped);
    EXPECT_EQ(mat.GetRow(0), Point3(2.0f, 0.0f, 0.0f));
    EXPECT_EQ(TrellisObject::createCallBack.placedPoint, snapped);
}

TEST_F(Rollup, AbortAnswersCreateAbortAndChangesNothing) {
    openPanel(obj, BEGIN_EDIT_CREATE);
    obj->NumberOfVertices(0);  // a query builds the cache: without sections it stays valid forever
    ViewExp vpt;
    Matrix3 mat;
    EXPECT_EQ(obj->GetCreateMouseCallBack()->proc(&vpt, MOUSE_ABORT, 0, 0, IPoint2(5, 5), mat), CREATE_ABORT);
    EXPECT_EQ(mat, Matrix3());
    EXPECT_EQ(obj->shapeValid, FOREVER);
    EXPECT_TRUE(takeChanges().empty());
    expectListButtons(false);
}

struct RefreshCase {
    const char* name;
    int msg;
    int point;
};
void PrintTo(const RefreshCase& c, std::ostream* os) { *os << c.name; }

class CreationRefresh : public Rollup, public ::testing::WithParamInterface<RefreshCase> {};

// Anything but an abort or the first point refreshes: the cache goes stale
// and one change goes out for topology and geometry (part id 3).
TEST_P(CreationRefresh, MarksTheShapeNeverAndSendsOneChangeWithPartThree) {
    openPanel(obj, BEGIN_EDIT_CREATE);
    obj->NumberOfVertices(0);  // a query builds the cache: without sections it stays valid forever
    ViewExp vpt;
    Matrix3 mat;
    const int result = obj->GetCreateMouseCallBack()->proc(&vpt, GetParam().msg, GetParam().point, 0, IPoint2(1, 2), mat);
    EXPECT_EQ(result, CREATE_CONTINUE);
    EXPECT_EQ(obj->shapeValid, NEVER);
    EXPECT_EQ(takeChanges(), std::vector<PartID>{PART_TOPO | PART_GEOM});
    EXPECT_EQ(mat, Matrix3());
    expectListButtons(false);
}

INSTANTIATE_TEST_SUITE_P(Panel, CreationRefresh,
                         ::testing::Values(RefreshCase{"FreeMove", MOUSE_FREEMOVE, 0},
                                           RefreshCase{"DoubleClick", MOUSE_DBLCLICK, 0},
                                           RefreshCase{"Init", MOUSE_INIT, 0},
                                           RefreshCase{"Uninit", MOUSE_UNINIT, 0},
                                           RefreshCase{"SecondPoint", MOUSE_POINT, 1},
                                           RefreshCase{"SecondMove", MOUSE_MOVE, 1}),
                         [](const ::testing::TestParamInfo<RefreshCase>& c) { return std::string(c.param.name); });

TEST_F(Rollup, KeptRollupIsRetargetedAndListsOnlyTheNewObjectsSections) {
    setSections(addShapes(2, "A"));
    openPanel(obj);
    HWND first = panel();
    obj->EndEditParams(host.get(), 0, nullptr);
    EXPECT_EQ(TrellisObject::editObject, nullptr);
    EXPECT_EQ(TrellisObject::editInterface, nullptr);
    ASSERT_NE(TrellisObject::paramMap, nullptr);

    TrellisObject* other = new TrellisObject();
    scene().CreateNode(other, "Other");
    setSections({addShape("B1")}, other);
    other->pblock->SetValue(PB_SPLINETYPE, 0, 2);
    openPanel(other);
    EXPECT_EQ(panel(), first);
    EXPECT_EQ(host->GetRollups().size(), 1u);
    EXPECT_EQ(TrellisObject::paramMap->GetParamBlock(), other->pblock);
    EXPECT_EQ(entries(), std::vector<std::string>{"B1"});
    EXPECT_EQ(other->sectionCount, 1);
    EXPECT_EQ(other->hPanel, first);
    EXPECT_TRUE(checked(IDC_BEZIER));
    EXPECT_FALSE(checked(IDC_LINEAR));
}

TEST_F(Rollup, RemoveUiDestroysTheMapAndTheNextOpeningMakesANewOne) {
    openPanel(obj);
    HWND first = panel();
    obj->EndEditParams(host.get(), END_EDIT_REMOVEUI, nullptr);
    EXPECT_EQ(TrellisObject::paramMap, nullptr);
    EXPECT_TRUE(host->GetRollups().empty());
    EXPECT_FALSE(IsWindow(first));
    openPanel(obj);
    EXPECT_EQ(host->GetRollups().size(), 1u);
    EXPECT_TRUE(IsWindow(panel()));
    EXPECT_NE(panel(), first);
}

// A kept rollup whose object has gone must not touch it.
TEST_F(Rollup, KeptRollupOfADeletedObjectIgnoresItsButtons) {
    setSections(addShapes(2));
    openPanel(obj);
    obj->EndEditParams(host.get(), 0, nullptr);
    watcher.reset();
    scene().DeleteNode(objNode);  // deletes the object with it
    ListBoxSelect(control(IDC_SECTION_LIST), 1);
    for (int id : {IDC_REMOVE, IDC_UP, IDC_DOWN, IDC_ADD}) click(id);
    click(IDC_BEZIER);
    EXPECT_TRUE(checked(IDC_BEZIER));
    EXPECT_EQ(entries(), (std::vector<std::string>{"S1", "S2"}));
}

struct RadioCase {
    const char* name;
    int button;
    int value;
};
void PrintTo(const RadioCase& c, std::ostream* os) { *os << c.name; }

class SplineTypeRadio : public Rollup, public ::testing::WithParamInterface<RadioCase> {};

TEST_P(SplineTypeRadio, ClickSetsTheParameterAtTheCurrentTime) {
    openPanel(obj);
    host->SetTime(2 * TICKS_PER_SEC);
    takeChanges();
    click(GetParam().button);
    int value = -1;
    Interval valid = FOREVER;
    obj->pblock->GetValue(PB_SPLINETYPE, 2 * TICKS_PER_SEC, value, valid);
    EXPECT_EQ(value, GetParam().value);
    for (int id : {IDC_LINEAR, IDC_SMOOTH, IDC_BEZIER, IDC_BEZIER_CORNER})
        EXPECT_EQ(checked(id), id == GetParam().button) << "button " << id;
    EXPECT_FALSE(takeChanges().empty());  // the block's change reaches the object's dependents
}

INSTANTIATE_TEST_SUITE_P(Panel, SplineTypeRadio,
                         ::testing::Values(RadioCase{"Linear", IDC_LINEAR, 0}, RadioCase{"Smooth", IDC_SMOOTH, 1},
                                           RadioCase{"Bezier", IDC_BEZIER, 2},
                                           RadioCase{"BezierCorner", IDC_BEZIER_CORNER, 3}),
                         [](const ::testing::TestParamInfo<RadioCase>& c) { return std::string(c.param.name); });

TEST_F(Rollup, ParameterChangesShowInTheRadioGroup) {
    openPanel(obj);
    obj->pblock->SetValue(PB_SPLINETYPE, 0, 2);
    TrellisObject::paramMap->Invalidate();
    EXPECT_TRUE(checked(IDC_BEZIER));
    EXPECT_FALSE(checked(IDC_LINEAR));
    // A value no button stands for shows none checked.
    obj->pblock->SetValue(PB_SPLINETYPE, 0, 7);
    TrellisObject::paramMap->Invalidate();
    for (int id : {IDC_LINEAR, IDC_SMOOTH, IDC_BEZIER, IDC_BEZIER_CORNER}) EXPECT_FALSE(checked(id));
}

TEST_F(Rollup, CreateByClickPlacesNumberedNodesWithTheirRollupOpen) {
    ViewExp vpt;
    vpt.SetGridSpacing(10.0f);
    IPoint2 mouse(21, 38), unused;
    const Point3 snapped = vpt.SnapPoint(mouse, unused, nullptr, 1);
    std::string error;
    INode* first = CreateByClick(host.get(), GetTrellisDesc(), &vpt, mouse, error);
    ASSERT_NE(first, nullptr) << error;
    EXPECT_STREQ(first->GetName(), "TrellisObj01");
    EXPECT_EQ(first->GetNodeTM(0).GetTrans(), snapped);
    TrellisObject* made = static_cast<TrellisObject*>(first->GetObjectRef());
    EXPECT_FALSE(made->TestAFlag(A_OBJ_CREATING));
    EXPECT_EQ(TrellisObject::editObject, made);
    expectListButtons(true);
    made->EndEditParams(host.get(), 0, nullptr);

    INode* second = CreateByClick(host.get(), GetTrellisDesc(), &vpt, mouse, error);
    ASSERT_NE(second, nullptr) << error;
    EXPECT_STREQ(second->GetName(), "TrellisObj02");
    EXPECT_EQ(host->GetRollups().size(), 1u);
}

}  // namespace
