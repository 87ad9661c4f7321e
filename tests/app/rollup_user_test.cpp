// The program's user of a rollup clicks only what a user could click. Win32
// (and so the stand-in) acts on BM_CLICK for a disabled button too: a
// program that forgot to look would edit the list through a disabled
// button.
#include "app/edit/rollup_user.h"
#include "app/scene/scene_error.h"
#include "support/panel_fixture.h"

namespace {

class RollupUserTest : public PanelTest {
protected:
    // A rollup opened for creation: the list buttons are disabled.
    void SetUp() override {
        PanelTest::SetUp();
        sections = addShapes(2);
        addShape("Spare");
        setSections(sections);
        openPanel(obj, BEGIN_EDIT_CREATE);
        takeChanges();
        SetHitByNameResponder([this](const HitByNameDialogView&, std::vector<INode*>&) {
            chooserOpened = true;
            return false;
        });
    }
    std::vector<INode*> sections;
    bool chooserOpened = false;
};

TEST_F(RollupUserTest, DisabledListButtonsAreRefusedAndNothingChanges) {
    RollupUser user(*host);
    ASSERT_FALSE(enabled(IDC_REMOVE));
    user.selectEntry(1, "--up 1");
    for (int id : {IDC_ADD, IDC_REMOVE, IDC_UP, IDC_DOWN}) {
        try {
            user.click(id, "--press");
            ADD_FAILURE() << "button " << id << " was clicked while disabled";
        } catch (const SceneError& e) {
            EXPECT_STREQ(e.what(), "--press: the button is disabled");
        }
    }
    EXPECT_FALSE(chooserOpened);
    EXPECT_EQ(entries(), (std::vector<std::string>{"S1", "S2"}));
    EXPECT_EQ(slots(), (std::vector<std::string>{"S1", "S2"}));
    EXPECT_TRUE(takeChanges().empty()) << "a disabled button's press reached the panel";
}

// The same presses once the buttons are enabled do reach the panel, so the
// refusal above is the program's and not the panel's.
TEST_F(RollupUserTest, EnabledListButtonsAreClicked) {
    for (int id : {IDC_ADD, IDC_REMOVE, IDC_UP, IDC_DOWN}) EnableWindow(control(id), TRUE);
    RollupUser user(*host);
    user.selectEntry(1, "--up 1");
    user.click(IDC_UP, "--up 1");
    EXPECT_EQ(entries(), (std::vector<std::string>{"S2", "S1"}));
    user.click(IDC_ADD, "--add Spare");
    EXPECT_TRUE(chooserOpened);
}

// Win32's list box tells the rollup when it gains or loses the focus
// (LBN_SETFOCUS 4, LBN_KILLFOCUS 5), the latter just before a button's
// click; the stand-in sends neither, which is sound only while the panel
// does nothing for the list box's notifications.
TEST_F(RollupUserTest, ListBoxNotificationsChangeNothing) {
    for (int id : {IDC_ADD, IDC_REMOVE, IDC_UP, IDC_DOWN}) EnableWindow(control(id), TRUE);
    RollupUser user(*host);
    user.selectEntry(1, "--up 1");
    for (WORD code : {WORD(LBN_SELCHANGE), WORD(4), WORD(5)})
        SendMessageA(panel(), WM_COMMAND, MAKEWPARAM(IDC_SECTION_LIST, code),
                     reinterpret_cast<LPARAM>(control(IDC_SECTION_LIST)));
    EXPECT_FALSE(chooserOpened);
    EXPECT_TRUE(takeChanges().empty());
    EXPECT_EQ(entries(), (std::vector<std::string>{"S1", "S2"}));
    EXPECT_EQ(selection(), 1);
    user.click(IDC_UP, "--up 1");
    EXPECT_EQ(entries(), (std::vector<std::string>{"S2", "S1"}));
}

// A radio button is found by its caption, as a user reads it, and is
// clickable during creation: only the list buttons wait for the placing.
TEST_F(RollupUserTest, RadioButtonIsClickedByItsCaption) {
    RollupUser user(*host);
    user.clickCaptioned("Bezier Corner", "--type 3");
    EXPECT_TRUE(checked(IDC_BEZIER_CORNER));
    EXPECT_THROW(user.clickCaptioned("Wavy", "--type Wavy"), SceneError);
}

}  // namespace
