// The section list of the rollup: initialisation, "Remove", "Up", "Down" and
// "Help", driven by list selections and button clicks.
#include <ostream>
#include "panel/help_page.h"
#include "support/panel_fixture.h"

namespace {

typedef std::vector<std::string> Names;
const std::vector<PartID> kOneTopologyChange = {PART_TOPO};

class SectionList : public PanelTest {
protected:
    // Sections "a", "b", "c" in slots 1 to 3, rollup open for an existing object.
    void openWithThree() {
        setSections({addShape("a"), addShape("b"), addShape("c")});
        openPanel(obj);
        takeChanges();
    }
    // The list box, the slots and the count agree on these names.
    void expectList(const Names& names) {
        EXPECT_EQ(entries(), names);
        EXPECT_EQ(slots(), names);
        EXPECT_EQ(obj->sectionCount, static_cast<int>(names.size()));
    }
};

TEST_F(SectionList, InitialisationListsTheFilledSlotsInOrder) {
    openWithThree();
    expectList({"a", "b", "c"});
    EXPECT_EQ(selection(), LB_ERR);
}

TEST_F(SectionList, CreationLeavesListButtonsDisabledAndHelpEnabled) {
    setSections(addShapes(2));
    openPanel(obj, BEGIN_EDIT_CREATE);
    for (int id : {IDC_ADD, IDC_REMOVE, IDC_UP, IDC_DOWN}) EXPECT_FALSE(enabled(id)) << "button " << id;
    EXPECT_TRUE(enabled(IDC_HELP_BUTTON));
    EXPECT_EQ(obj->sectionCount, 2);
}

struct EditCase {
    const char* name;
    int button;
    int selected;  // -1: nothing selected
    Names after;
    int selectedAfter;  // LB_ERR: nothing
};
void PrintTo(const EditCase& c, std::ostream* os) { *os << c.name; }

class ListEdit : public SectionList, public ::testing::WithParamInterface<EditCase> {};

// Every press ends with exactly one topology change, whether or not it moved anything.
TEST_P(ListEdit, EditsSlotsAndEntriesTogetherAndNotifiesOnce) {
    const EditCase& c = GetParam();
    openWithThree();
    if (c.selected >= 0) select(c.selected);
    obj->NumberOfVertices(0);  // a query builds the cache: of static sections, valid forever
    click(c.button);
    expectList(c.after);
    EXPECT_EQ(selection(), c.selectedAfter);
    EXPECT_EQ(obj->shapeValid, NEVER);
    EXPECT_EQ(takeChanges(), kOneTopologyChange);
}

INSTANTIATE_TEST_SUITE_P(
    Panel, ListEdit,
    ::testing::Values(EditCase{"RemoveFirst", IDC_REMOVE, 0, {"b", "c"}, LB_ERR},
                      EditCase{"RemoveMiddle", IDC_REMOVE, 1, {"a", "c"}, LB_ERR},
                      EditCase{"RemoveLast", IDC_REMOVE, 2, {"a", "b"}, LB_ERR},
                      EditCase{"RemoveWithoutSelection", IDC_REMOVE, -1, {"a", "b", "c"}, LB_ERR},
                      EditCase{"UpFirst", IDC_UP, 0, {"a", "b", "c"}, 0},
                      EditCase{"UpMiddle", IDC_UP, 1, {"b", "a", "c"}, 0},
                      EditCase{"UpLast", IDC_UP, 2, {"a", "c", "b"}, 1},
                      EditCase{"UpWithoutSelection", IDC_UP, -1, {"a", "b", "c"}, LB_ERR},
                      EditCase{"DownFirst", IDC_DOWN, 0, {"b", "a", "c"}, 1},
                      EditCase{"DownMiddle", IDC_DOWN, 1, {"a", "c", "b"}, 2},
                      EditCase{"DownLast", IDC_DOWN, 2, {"a", "b", "c"}, 2},
                      EditCase{"DownWithoutSelection", IDC_DOWN, -1, {"a", "b", "c"}, LB_ERR}),
    [](const ::testing::TestParamInfo<EditCase>& c) { return std::string(c.param.name); });

TEST_F(SectionList, RemovingTheOnlyEntryEmptiesSlotOne) {
    setSections({addShape("only")});
    openPanel(obj);
    select(0);
    click(IDC_REMOVE);
    expectList({});
    EXPECT_EQ(obj->sectionNodes[0], nullptr);
}

struct FullCase {
    const char* name;
    int button;
    int selected;
    int countAfter;
};
void PrintTo(const FullCase& c, std::ostream* os) { *os << c.name; }

class FullList : public SectionList, public ::testing::WithParamInterface<FullCase> {};

// A full list's Remove reads reserved slot 101 (always empty) into slot 100.
TEST_P(FullList, KeepsEntriesAndSlotsInStep) {
    const FullCase& c = GetParam();
    std::vector<INode*> nodes = addShapes(MAX_SECTIONS);
    setSections(nodes);
    openPanel(obj);
    takeChanges();
    select(c.selected);
    click(c.button);
    Names expected;
    for (INode* n : nodes) expected.push_back(n->GetName());
    if (c.button == IDC_REMOVE) expected.erase(expected.begin() + c.selected);
    if (c.button == IDC_UP) std::swap(expected[c.selected - 1], expected[c.selected]);
    if (c.button == IDC_DOWN) std::swap(expected[c.selected], expected[c.selected + 1]);
    expectList(expected);
    EXPECT_EQ(obj->sectionCount, c.countAfter);
    EXPECT_EQ(obj->GetReference(101), nullptr);
    EXPECT_EQ(takeChanges(), kOneTopologyChange);
}

INSTANTIATE_TEST_SUITE_P(Panel, FullList,
                         ::testing::Values(FullCase{"RemoveFirst", IDC_REMOVE, 0, 99},
                                           FullCase{"RemoveMiddle", IDC_REMOVE, 50, 99},
                                           FullCase{"RemoveLast", IDC_REMOVE, 99, 99},
                                           FullCase{"UpLast", IDC_UP, 99, 100},
                                           FullCase{"DownFirst", IDC_DOWN, 0, 100},
                                           FullCase{"DownSecondToLast", IDC_DOWN, 98, 100}),
                         [](const ::testing::TestParamInfo<FullCase>& c) { return std::string(c.param.name); });

class HelpButton : public SectionList, public ::testing::WithParamInterface<WORD> {};

// The notification code in the high word is not looked at.
TEST_P(HelpButton, OpensTheHelpPageWithoutNotifying) {
    openWithThree();
    SendMessageA(panel(), WM_COMMAND, MAKEWPARAM(IDC_HELP_BUTTON, GetParam()),
                 reinterpret_cast<LPARAM>(control(IDC_HELP_BUTTON)));
    ASSERT_EQ(ShellExecuteLog().size(), 1u);
    const ShellExecuteRecord& r = ShellExecuteLog()[0];
    EXPECT_EQ(r.parent, GetCOREInterface()->GetMAXHWnd());
    EXPECT_NE(r.parent, nullptr);
    EXPECT_EQ(r.verb, "open");
    EXPECT_EQ(r.file, "iexplore.exe");
    EXPECT_EQ(r.parameters, "help.gridwork-plugins.example/max4/trellisObject/help.html");
    EXPECT_EQ(r.parameters, TRELLIS_HELP_ADDRESS);
    EXPECT_EQ(r.directory, "");
    EXPECT_EQ(r.showCommand, SW_SHOWNORMAL);
    EXPECT_TRUE(takeChanges().empty());
    expectList({"a", "b", "c"});
}

INSTANTIATE_TEST_SUITE_P(Panel, HelpButton, ::testing::Values(BN_CLICKED, WORD(1), WORD(5), WORD(0xFFFF)),
                         [](const ::testing::TestParamInfo<WORD>& c) { return "Code" + std::to_string(c.param); });

// A section node deleted from the scene leaves a hole in its slot while its
// entry stays; the next press closes the hole and relists before acting.
struct HoleCase {
    const char* name;
    const char* selected;  // name of the selected entry; "" for none
    int button;
    Names after;
    const char* selectedAfter;  // "" for none
};
void PrintTo(const HoleCase& c, std::ostream* os) { *os << c.name; }

class DeletedSection : public SectionList, public ::testing::WithParamInterface<HoleCase> {};

TEST_P(DeletedSection, NextPressKeepsTheListEqualToTheFilledSlots) {
    const HoleCase& c = GetParam();
    std::vector<INode*> nodes = {addShape("a"), addShape("b"), addShape("c"), addShape("d"), addShape("e")};
    setSections(nodes);
    openPanel(obj);
    const Names names = {"a", "b", "c", "d", "e"};
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == c.selected) select(static_cast<int>(i));
    scene().DeleteNode(nodes[2]);
    EXPECT_EQ(slots(), (Names{"a", "b", "-", "d", "e"}));
    takeChanges();
    click(c.button);
    expectList(c.after);
    const int sel = selection();
    EXPECT_EQ(sel < 0 ? std::string() : entries()[sel], std::string(c.selectedAfter));
    EXPECT_EQ(takeChanges(), kOneTopologyChange);
}

INSTANTIATE_TEST_SUITE_P(
    Panel, DeletedSection,
    ::testing::Values(HoleCase{"UpBelowTheHole", "d", IDC_UP, {"a", "d", "b", "e"}, "d"},
                      HoleCase{"UpAboveTheHole", "b", IDC_UP, {"b", "a", "d", "e"}, "b"},
                      HoleCase{"DownBelowTheHole", "d", IDC_DOWN, {"a", "b", "e", "d"}, "d"},
                      HoleCase{"DownAboveTheHole", "b", IDC_DOWN, {"a", "d", "b", "e"}, "b"},
                      HoleCase{"RemoveBelowTheHole", "e", IDC_REMOVE, {"a", "b", "d"}, ""},
                      HoleCase{"RemoveWithoutSelection", "", IDC_REMOVE, {"a", "b", "d", "e"}, ""},
                      HoleCase{"UpOnTheDeletedEntry", "c", IDC_UP, {"a", "b", "d", "e"}, ""},
                      HoleCase{"DownOnTheDeletedEntry", "c", IDC_DOWN, {"a", "b", "d", "e"}, ""},
                      HoleCase{"RemoveOnTheDeletedEntry", "c", IDC_REMOVE, {"a", "b", "d", "e"}, ""}),
    [](const ::testing::TestParamInfo<HoleCase>& c) { return std::string(c.param.name); });

TEST_F(SectionList, DeletedFirstSectionIsClosedUpOnTheNextPress) {
    std::vector<INode*> nodes = addShapes(3);
    setSections(nodes);
    openPanel(obj);
    scene().DeleteNode(nodes[0]);
    click(IDC_DOWN);
    expectList({"S2", "S3"});
}

TEST_F(SectionList, LongNamesAreCutTo199Characters) {
    const std::string longName(250, 'x');
    setSections({addShape(longName + "-tail"), addShape("short")});
    openPanel(obj);
    EXPECT_EQ(entries(), (Names{std::string(199, 'x'), "short"}));
    select(1);
    click(IDC_UP);
    EXPECT_EQ(entries(), (Names{"short", std::string(199, 'x')}));
}

}  // namespace
